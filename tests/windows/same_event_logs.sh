#!/usr/bin/env bash
# The Windows game under Wine plays the bundled tour and the three walkthroughs
# to the same event log as the Linux game, line for line (Windows ends its
# lines with CR LF; the end positions are compared as printed).
# Usage: same_event_logs.sh WINDOWS_BUILD_DIR LINUX_GAME [SOURCE_DIR]
# Run it on an X server with a window manager: scripts/with-xvfb.sh --wm.
set -uo pipefail
windows_build=$(cd "$1" && pwd)
linux_game=$(realpath "$2")
source_dir=$(cd "${3:-$(dirname "$0")/../..}" && pwd)
. "$(dirname "$0")/lib/wine.bash"
[ -x "$linux_game" ] && [ -f "$windows_build/zarnoth.exe" ] || { echo "needs both builds" >&2; exit 77; }

work=$(mktemp -d)
trap 'wine_cleanup; rm -rf "$work"' EXIT
wine_prepare
cd "$source_dir" || exit 1
export ZARNOTH_MESSAGES=stderr
failures=0
for play in "tour:" "walkthrough1:--level 1" "walkthrough2:--level 2" "walkthrough3:--level 3"; do
  name=${play%%:*}
  read -ra options <<<"${play#*:}"
  timeout 300 "$linux_game" --data data "${options[@]}" --events --timedemo "data/demos/$name.txt" \
    >"$work/linux-$name.txt" 2>"$work/linux-$name.err"
  linux_status=$?
  wine_run 300 "$windows_build/zarnoth.exe" --data data "${options[@]}" --events --timedemo \
    "data/demos/$name.txt" >"$work/windows-$name.raw" 2>"$work/windows-$name.err"
  windows_status=$?
  tr -d '\r' <"$work/windows-$name.raw" >"$work/windows-$name.txt"
  # The event log is every line that starts with a frame number; the figures follow it.
  grep -E '^[0-9]+ ' "$work/linux-$name.txt" >"$work/linux-$name.log"
  grep -E '^[0-9]+ ' "$work/windows-$name.txt" >"$work/windows-$name.log"
  if [ "$linux_status" != 0 ] || [ "$windows_status" != 0 ]; then
    echo "FAIL $name: exit status $linux_status on Linux, $windows_status under Wine"
    cat "$work/windows-$name.err"
    failures=$((failures + 1))
  elif ! grep -q ' end ' "$work/linux-$name.log"; then
    echo "FAIL $name: the Linux log has no end line"
    failures=$((failures + 1))
  elif ! diff -u "$work/linux-$name.log" "$work/windows-$name.log"; then
    echo "FAIL $name: the event logs differ"
    failures=$((failures + 1))
  else
    echo "ok $name: $(wc -l <"$work/linux-$name.log") lines, $(grep ' end ' "$work/linux-$name.log")"
  fi
done
[ "$failures" = 0 ]
