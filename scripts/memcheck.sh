#!/usr/bin/env bash
# valgrind memcheck of a timedemo: scripts/memcheck.sh [DEMO]
# Builds the game without sanitizers, with debug information, into
# build-valgrind/ and plays DEMO (the bundled demo by default, else the level
# scripts of tests/e2e/scripts one after the other) with --timedemo on a
# private virtual X server under memcheck. The window is 320x240 (a copy of
# data/ with its own zarnoth.ini) and llvmpipe draws on the main thread: the
# software renderer under memcheck is what costs the time, and the game's code
# runs the same at any size. Fails on any invalid access,
# use of uninitialised memory or definite or possible leak that the
# suppressions in scripts/valgrind.supp (the loader's and the driver's own)
# do not cover. The full report is build-valgrind/memcheck.log.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-valgrind
demo="${1:-}"
[ -n "$demo" ] || demo=$(ls data/demos/* 2>/dev/null | head -n1 || true)

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARNOTH_TESTS=OFF >/dev/null
cmake --build "$build" --target zarnoth -j 2 >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ -z "$demo" ]; then
  demo="$work/walkthrough.txt"
  cat tests/e2e/scripts/level1.txt tests/e2e/scripts/level2.txt tests/e2e/scripts/level3.txt >"$demo"
fi
cp -r data "$work/data"
printf 'Resolution=320x240\nColorDepth=32\nRefreshRate=60\nGameMode=0\n' >"$work/data/zarnoth.ini"

log="$build/memcheck.log"
export LP_NUM_THREADS=0
status=0
# --keep-debuginfo: the driver is unloaded before the leak check; without it
# its frames have no object name for the suppressions to match.
scripts/with-xvfb.sh valgrind --tool=memcheck --leak-check=full \
  --show-leak-kinds=definite,possible --errors-for-leak-kinds=definite,possible \
  --keep-debuginfo=yes --num-callers=40 \
  --suppressions=scripts/valgrind.supp --error-exitcode=99 --log-file="$log" \
  "$build/zarnoth" --data "$work/data" --timedemo "$demo" || status=$?

grep -E "ERROR SUMMARY|definitely lost:|indirectly lost:|possibly lost:|still reachable:|suppressed:" "$log" |
  sed 's/^==[0-9]*== *//'
[ "$status" -eq 0 ] || echo "memcheck: exit status $status, see $log" >&2
exit "$status"
