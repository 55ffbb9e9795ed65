# The sanitizer settings of the test build: leak checks on, the GL driver's
# own leaks suppressed. Sourced by test.sh and by the Windows leg, which runs
# the same Linux programs to compare with.
sanitizer_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export LSAN_OPTIONS="suppressions=$sanitizer_root/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
