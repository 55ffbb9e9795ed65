#!/usr/bin/env bash
# The Windows game under Wine plays the bundled tour, the three walkthroughs
# and the test scripts of tests/e2e/scripts to the same event log as the Linux
# game, line for line (Windows ends its lines with CR LF; the end positions are
# compared as printed).
# Usage: same_event_logs.sh WINDOWS_BUILD_DIR LINUX_GAME [SOURCE_DIR]
# Run it on an X server with a window manager: scripts/with-xvfb.sh --wm.
set -uo pipefail
windows_build=$(cd "$1" && pwd)
linux_game=$(realpath "$2")
source_dir=$(cd "${3:-$(dirname "$0")/../..}" && pwd)
. "$(dirname "$0")/lib/wine.bash"
[ -x "$linux_game" ] && [ -f "$windows_build/zarnoth.exe" ] || { echo "needs both builds" >&2; exit 77; }

wine_test_start
# No audio device: with ALSA's null device Wine's mixer runs ahead of time
# and doubles this part's time on a loaded machine. The event log is the same
# either way (sound.sh compares a play heard with one without a device).
wine_audio none
# The log depends neither on the window's size nor on what is drawn: a small
# window, and Mesa's no-op driver takes the GL calls (under Wine too).
cp -r "$source_dir/data" "$work/data"
printf 'Resolution=64x48\nColorDepth=32\nRefreshRate=60\nGameMode=0\n' >"$work/data/zarnoth.ini"
cd "$work" || exit 1
export ZARNOTH_MESSAGES=stderr GALLIUM_NOOP=${GALLIUM_NOOP:-1}
# Every play the Linux tests check: the tour, the walkthroughs (each on its
# level) and the scripts of tests/e2e/scripts (each on its "# level:").
plays=("data/demos/tour.txt 1")
for n in 1 2 3; do plays+=("data/demos/walkthrough$n.txt $n"); done
# The walkthroughs end in the next level's start: their first halves end in
# mid-level, after many steps and turns, where any drift would show.
for n in 1 2 3; do
  lines=$(wc -l <"data/demos/walkthrough$n.txt")
  head -n $((lines / 2)) "data/demos/walkthrough$n.txt" >"$work/half$n.txt"
  plays+=("$work/half$n.txt $n")
done
for script in "$source_dir"/tests/e2e/scripts/*.txt "$source_dir"/tests/windows/wander.txt; do
  level=$(sed -n 's/^# level: *//p' "$script")
  plays+=("$script ${level:-1}")
done

failures=0
for play in "${plays[@]}"; do
  read -r file level <<<"$play"
  name=$(basename "$file" .txt)
  # Both at once, one on each core.
  timeout 300 "$linux_game" --data data --level "$level" --events --timedemo "$file" \
    >"$work/linux-$name.txt" 2>"$work/linux-$name.err" &
  linux_pid=$!
  wine_run 300 "$windows_build/zarnoth.exe" --data data --level "$level" --events --timedemo "$file" \
    >"$work/windows-$name.raw" 2>"$work/windows-$name.err"
  windows_status=$?
  wait "$linux_pid"
  linux_status=$?
  tr -d '\r' <"$work/windows-$name.raw" >"$work/windows-$name.txt"
  # The event log, without the figures that follow it.
  events='^[0-9]+ (level|fell|died|switch|exit|message|end)( |$)'
  grep -E "$events" "$work/linux-$name.txt" >"$work/linux-$name.log"
  grep -E "$events" "$work/windows-$name.txt" >"$work/windows-$name.log"
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
