#!/usr/bin/env bash
# Plays every input script of tests/e2e/scripts and the bundled demo of
# data/demos, and checks the event log
# against the script's own expectations, written in its comments:
#   # level: N               start on level N (default 1)
#   # expect: WORDS          the log's events in order, without frame numbers
#                            (every event but the final "end")
#   # end: X Z YAW TOLERANCE where the play ends; YAW within 1 degree
# Usage: play_scripts.sh <zarnoth binary> <source dir> [script...]
# PLAY_MODE=--timedemo plays as fast as possible (the log is the same) and
# PLAY_RESOLUTION sets the window (default 640x480).
# (CTest runs it once per script, as e2e.play_script.NAME.)
. "$(dirname "$0")/lib/game.bash"
copy_game_data
mode=${PLAY_MODE:---play}
printf 'Resolution=%s\nColorDepth=32\nRefreshRate=60\nGameMode=0\n' "${PLAY_RESOLUTION:-640x480}" >"$work/zarnoth.ini"
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
