#!/usr/bin/env bash
# The Windows leg, run by ./test.sh after the Linux suite: builds the Windows
# programs and their tests (scripts/build-windows.sh --tests), then runs under
# Wine, each on a private X server with openbox: the test programs (CTest), the
# event logs against the Linux game, the checker against the Linux checker
# (the hostile files and CheckerTest's table), the message boxes, the death
# box, full screen (on Xorg with the dummy driver), the sound and the packages.
# LINUX_BUILD_DIR is ./test.sh's build, which must be built. Exits 1 if any
# fails.
# Usage: tests/windows/run.sh [WINDOWS_BUILD_DIR [LINUX_BUILD_DIR]]
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
windows_build=${1:-$root/build-windows}
linux_build=${2:-$root/build}
start=$SECONDS
for program in zarnoth zarnoth-check tests/test_check; do
  [ -x "$linux_build/$program" ] || { echo "run.sh: no $linux_build/$program: run ./test.sh first" >&2; exit 1; }
done
mkdir -p "$windows_build"
# Its compiler's errors go to stdout: shown when it fails.
"$root/scripts/build-windows.sh" --tests "$windows_build" >"$windows_build/build.log" ||
  { tail -n 30 "$windows_build/build.log"; echo "run.sh: the Windows build failed" >&2; exit 1; }
echo "Windows build: $((SECONDS - start)) s"
. "$root/scripts/sanitizer-env.bash"
# The Linux suite checks for leaks; here the Linux programs only give what the
# Windows ones must equal (Mesa's no-op driver leaves leaks LSan cannot name).
export ASAN_OPTIONS="$ASAN_OPTIONS:detect_leaks=0"

. "$root/tests/windows/lib/wine.bash"
failures=()
run() {  # NAME COMMAND...
  local name=$1 began=$SECONDS
  shift
  "$@"
  local status=$?
  if [ "$status" = 0 ]; then
    echo "== $name: ok ($((SECONDS - began)) s)"
  elif [ "$status" = 77 ]; then
    echo "== $name: skipped"
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
checker_cases() {
  local table
  table=$(mktemp -d)
  ZARNOTH_KEEP_CHECKER_CASES="$table" "$linux_build/tests/test_check" --gtest_filter='Faults/CheckerTable.*' \
    >/dev/null &&
    "$root/tests/windows/checker_same_report.sh" "$windows_build" "$linux_build/zarnoth-check" "$root" "$table"
  local status=$?
  rm -rf "$table"
  return $status
}
run "checker" checker_cases
run "message boxes" "${xvfb[@]}" "$root/tests/windows/message_boxes.sh" "$windows_build" "$root"
run "death box" "${xvfb[@]}" "$root/tests/windows/death_box.sh" "$windows_build" "$root"
run "full screen" "$root/scripts/with-xorg.sh" "$root/tests/windows/full_screen.sh" "$windows_build" "$root"
run "sound" "${xvfb[@]}" "$root/tests/windows/sound.sh" "$windows_build" "$root"
run "packages" "${xvfb[@]}" "$root/tests/windows/packages.sh" "$windows_build"
echo "Windows leg: $((SECONDS - start)) s"
[ ${#failures[@]} -eq 0 ] || { echo "failed: ${failures[*]}"; exit 1; }
