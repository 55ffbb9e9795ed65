#!/usr/bin/env bash
# Long fuzzing: scripts/fuzz.sh SECONDS [TARGET...]
# Builds the fuzzers with clang (optimised, with AddressSanitizer and
# UndefinedBehaviorSanitizer) into build-fuzz-long/ and runs every target, one
# after the other, for SECONDS each on its committed corpus. Inputs found along
# the way are kept in build-fuzz-long/corpus/<target> for the next run; those
# that reach code the committed corpus does not are merged into
# fuzz/corpus/<target>. Crashes, hangs and sanitizer reports are kept as
# build-fuzz-long/artifacts/<target>-*; the script then fails.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:?usage: scripts/fuzz.sh SECONDS [TARGET...]}"
shift
case "$seconds" in ''|*[!0-9]*) echo "SECONDS must be a whole number" >&2; exit 2;; esac

build=build-fuzz-long
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZARNOTH_FUZZ=ON -DZARNOTH_TESTS=OFF >/dev/null
nice -n 10 cmake --build "$build" --target fuzzers -j 2 >/dev/null

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in fuzz/fuzz_*.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi

# A recoverable UBSan report must stop the run, or libFuzzer would never keep it.
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export ASAN_OPTIONS="detect_leaks=1"
mkdir -p "$build/artifacts"
failed=0
for target in "${targets[@]}"; do
  fuzzer="$build/fuzz/$target"
  [ -x "$fuzzer" ] || { echo "no fuzz target $target" >&2; exit 2; }
  committed="fuzz/corpus/$target"
  work="$build/corpus/$target"
  mkdir -p "$committed" "$work"
  log="$build/$target.log"
  : >"$log"

  # A finding ends libFuzzer's run; start it again for the time that is left,
  # so one fault does not hide the next.
  start=$(date +%s)
  runs=0
  while :; do
    left=$(( seconds - ($(date +%s) - start) ))
    [ "$left" -gt 0 ] || break
    runs=$((runs + 1))
    if ! nice -n 10 "$fuzzer" -max_total_time="$left" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-" \
        "$work" "$committed" >>"$log" 2>&1; then
      failed=1
      echo "$target: finding, see $log" >&2
      [ "$runs" -lt 20 ] || break
    fi
  done
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | awk '{s += $2} END {print s + 0}')

  before=$(find "$committed" -type f | wc -l)
  nice -n 10 "$fuzzer" -merge=1 -timeout=10 -rss_limit_mb=2048 "$committed" "$work" >>"$log" 2>&1 || failed=1
  after=$(find "$committed" -type f | wc -l)
  echo "$target: ${seconds}s, $execs runs, corpus $before -> $after files" >&2
done

if ls "$build"/artifacts/* >/dev/null 2>&1; then
  echo "findings:" >&2
  ls -l "$build"/artifacts/ >&2
fi
exit "$failed"
