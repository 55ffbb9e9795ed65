#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs the whole test suite under a private virtual X server with a window
# manager (openbox), as players have one; then the Windows leg under Wine.
# Arguments go to CTest: `./test.sh -L fast` builds what changed and runs the
# quick loop (README, "Working on the code"), without the Windows leg.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-packages.sh

jobs=$(nproc)
fuzz_args=(-DZARNOTH_FUZZERS_DIR=)
# The suite runs every fuzz target over its committed corpus, built into the
# sanitizer build. ZARNOTH_FUZZ_EXPLORE=1 also builds clang's libFuzzer
# programs and fuzzes each target for a few seconds (scripts/fuzz.sh fuzzes long).
if [ "${ZARNOTH_FUZZ_EXPLORE:-0}" = 1 ]; then
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=Debug \
    -DZARNOTH_FUZZ=ON -DZARNOTH_TESTS=OFF >/dev/null
  cmake --build build-fuzz --target fuzzers -j "$jobs"
  fuzz_args=(-DZARNOTH_FUZZERS_DIR="$PWD/build-fuzz/fuzz")
fi

# A unity build (sources compiled in batches) halves a fresh build; a change
# recompiles its batch. Names private to a source file must differ across the
# files of a target, or the batch does not compile.
cmake -S . -B build -DCMAKE_BUILD_TYPE=Debug -DZARNOTH_SANITIZE=ON -DCMAKE_UNITY_BUILD=ON \
  -DCMAKE_UNITY_BUILD_BATCH_SIZE=16 "${fuzz_args[@]}" >/dev/null
cmake --build build -j "$jobs"

. scripts/sanitizer-env.bash
export ZARNOTH_MESSAGES="${ZARNOTH_MESSAGES:-}"
# These machines have no sound card: OpenAL Soft's null device plays silently
# with nothing on stderr, so the tests see a working sound layer. The sound
# test chooses its drivers itself.
export ALSOFT_DRIVERS="${ALSOFT_DRIVERS:-null}"
status=0
(cd build && ../scripts/with-xvfb.sh --wm ctest --output-on-failure -j "$jobs" "$@") || status=$?

# The Windows leg (tests/windows/run.sh): the Windows build under Wine against
# the Linux programs just built. It runs with the whole suite, not with a
# chosen part of it; ZARNOTH_WINDOWS=0 leaves it out.
if [ $# -eq 0 ] && [ "${ZARNOTH_WINDOWS:-1}" != 0 ]; then
  tests/windows/run.sh build-windows build || status=1
fi
exit "$status"
