#!/usr/bin/env bash
# valgrind memcheck of a timedemo: scripts/memcheck.sh [DEMO]
# Builds the game without sanitizers, with debug information, into
# build-valgrind/ and plays DEMO (the bundled demo by default) with --timedemo
# on a private virtual X server under memcheck. Fails on any invalid access,
# use of uninitialised memory or definite or possible leak that the
# suppressions in scripts/valgrind.supp (the loader's and the driver's own)
# do not cover. The full report is build-valgrind/memcheck.log.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-valgrind
demo="${1:-$(ls data/demos/* | head -n1)}"

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARNOTH_TESTS=OFF >/dev/null
cmake --build "$build" --target zarnoth -j 2 >/dev/null

log="$build/memcheck.log"
status=0
# --keep-debuginfo: the driver is unloaded before the leak check; without it
# its frames have no object name for the suppressions to match.
scripts/with-xvfb.sh valgrind --tool=memcheck --leak-check=full \
  --show-leak-kinds=definite,possible --errors-for-leak-kinds=definite,possible \
  --keep-debuginfo=yes --num-callers=40 \
  --suppressions=scripts/valgrind.supp --error-exitcode=99 --log-file="$log" \
  "$build/zarnoth" --data data --timedemo "$demo" || status=$?

grep -E "ERROR SUMMARY|definitely lost:|indirectly lost:|possibly lost:|still reachable:|suppressed:" "$log" |
  sed 's/^==[0-9]*== *//'
[ "$status" -eq 0 ] || echo "memcheck: exit status $status, see $log" >&2
exit "$status"
