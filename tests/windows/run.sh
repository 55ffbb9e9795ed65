#!/usr/bin/env bash
# The Windows leg: builds the Windows programs and their tests
# (scripts/build-windows.sh --tests) and the Linux Release game to compare with,
# then runs under Wine, each on a private X server with openbox: the test
# programs (CTest), the event logs against Linux, the checker against Linux,
# the message boxes, the death box and the packages. Exits 1 if any fails.
# Usage: tests/windows/run.sh [WINDOWS_BUILD_DIR [LINUX_BUILD_DIR]]
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
windows_build=${1:-$root/build-windows}
linux_build=${2:-$root/build-rel}
jobs="${ZARNOTH_JOBS:-$(nproc)}"
start=$SECONDS
"$root/scripts/build-windows.sh" --tests "$windows_build" || exit 1
nice -n 10 cmake -S "$root" -B "$linux_build" -DCMAKE_BUILD_TYPE=Release -DZARNOTH_TESTS=OFF >/dev/null || exit 1
nice -n 10 cmake --build "$linux_build" -j "$jobs" --target zarnoth zarnoth-check >/dev/null || exit 1
echo "built in $((SECONDS - start)) s"

. "$root/tests/windows/lib/wine.bash"
failures=()
run() {  # NAME COMMAND...
  local name=$1 began=$SECONDS
  shift
  if "$@"; then
    echo "== $name: ok ($((SECONDS - began)) s)"
  else
    echo "== $name: FAILED ($((SECONDS - began)) s)"
    failures+=("$name")
  fi
}
xvfb=("$root/scripts/with-xvfb.sh" --wm)
run_ctest() {
  wine_prepare
  (cd "$windows_build" && ctest --output-on-failure -L windows)
  local status=$?
  wine_cleanup
  return $status
}
run "test programs" run_ctest
run "event logs" "${xvfb[@]}" "$root/tests/windows/same_event_logs.sh" "$windows_build" "$linux_build/zarnoth" "$root"
run "checker" "$root/tests/windows/checker_same_report.sh" "$windows_build" "$linux_build/zarnoth-check" "$root"
run "message boxes" "${xvfb[@]}" "$root/tests/windows/message_boxes.sh" "$windows_build" "$root"
run "death box" "${xvfb[@]}" "$root/tests/windows/death_box.sh" "$windows_build" "$root"
run "packages" "${xvfb[@]}" "$root/tests/windows/packages.sh" "$windows_build"
echo "Windows leg: $((SECONDS - start)) s"
[ ${#failures[@]} -eq 0 ] || { echo "failed: ${failures[*]}"; exit 1; }
