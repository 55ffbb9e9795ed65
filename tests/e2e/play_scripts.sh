#!/usr/bin/env bash
# Plays every input script of tests/e2e/scripts and the bundled demo of
# data/demos, and checks the event log
# against the script's own expectations, written in its comments:
#   # level: N               start on level N (default 1)
#   # expect: WORDS          the log's events in order, without frame numbers
#                            (every event but the final "end")
#   # end: X Z YAW TOLERANCE where the play ends; YAW within 1 degree
# Usage: play_scripts.sh <zarnoth binary> <source dir> [script...]
# The scripts play as timedemos: the event log is the one of --play, frame for
# frame (e2e.play_twice_same_log proves it), without waiting for the frames'
# times. The log depends neither on the window's size nor on what is drawn,
# so the window is small and Mesa's no-op driver takes every GL call of the
# game without rasterising it. To watch the scripts played at their own pace:
#   PLAY_MODE=--play PLAY_RESOLUTION=640x480 GALLIUM_NOOP=0 play_scripts.sh ...
# (CTest runs it once per script, as e2e.play_script.NAME.)
. "$(dirname "$0")/lib/game.bash"
copy_game_data
mode=${PLAY_MODE:---timedemo}
export GALLIUM_NOOP=${GALLIUM_NOOP:-1}
printf 'Resolution=%s\nColorDepth=32\nRefreshRate=60\nGameMode=0\n' "${PLAY_RESOLUTION:-64x48}" >"$work/zarnoth.ini"
shift 2
scripts=("$@")
[ ${#scripts[@]} -gt 0 ] || scripts=("$source_dir"/tests/e2e/scripts/*.txt "$source_dir"/data/demos/*.txt)

failures=0
for script in "${scripts[@]}"; do
  name=$(basename "$script")
  level=$(sed -n 's/^# level: *//p' "$script")
  status=0
  "$zarnoth" --data "$work" --level "${level:-1}" "$mode" "$script" >"$work/output" 2>"$work/stderr" || status=$?
  grep -E '^[0-9]+ (level|fell|died|switch|exit|message|end)( |$)' "$work/output" >"$work/log" || true
  sed -n 's/^# expect: //p' "$script" >"$work/expected"
  grep -v '^[0-9]* end ' "$work/log" | cut -d' ' -f2- >"$work/events" || true
  if [ "$status" != 0 ]; then
    echo "FAIL: $name: exit status $status"; cat "$work/stderr"; failures=$((failures + 1)); continue
  fi
  if ! diff -u "$work/expected" "$work/events" >"$work/diff"; then
    echo "FAIL: $name: the events differ from the expected ones:"; cat "$work/diff"
    failures=$((failures + 1)); continue
  fi
  read -r ex ez eyaw tolerance < <(sed -n 's/^# end: //p' "$script")
  read -r _ _ x z yaw < <(grep '^[0-9]* end ' "$work/log")
  if ! awk -v x="$x" -v z="$z" -v yaw="$yaw" -v ex="$ex" -v ez="$ez" -v eyaw="$eyaw" -v t="$tolerance" \
      'function abs(v) { return v < 0 ? -v : v } BEGIN { exit !(abs(x - ex) <= t && abs(z - ez) <= t && abs(yaw - eyaw) <= 1) }'; then
    echo "FAIL: $name: ended at $x $z $yaw, expected $ex $ez $eyaw (within $tolerance)"
    failures=$((failures + 1)); continue
  fi
  echo "ok: $name"
done
[ "$failures" = 0 ] || exit 1
