#!/usr/bin/env bash
# Strafing is never blocked, so no wall may strand a player outside a level:
# at points along each walkthrough (after its first, third and fifth turn)
# the player strafes left, or right, for 8 seconds, longer than any corridor is
# wide, and must end in the abyss beyond the walls (or on a deadly object)
# with one death and no exit. Each strafe is a play of its own, the
# walkthrough up to its point and then the strafe, ended once the death's
# message is logged (what follows is the level again from its start).
# Usage: play_strafe_out.sh <zarnoth binary> <source dir> [level...] (default: 1 2 3)
. "$(dirname "$0")/lib/game.bash"
copy_game_data
# The log does not depend on the window's size; the software renderer's time does.
printf 'Resolution=64x48\nColorDepth=32\nRefreshRate=60\nGameMode=0\n' >"$work/zarnoth.ini"
# Nor on the drawing: Mesa's no-op driver takes every GL call of the game
# without rasterising it (GALLIUM_NOOP=0 draws for real).
export GALLIUM_NOOP=${GALLIUM_NOOP:-1}

# Plays $work/strafe.txt on level $1 as a timedemo into $work/output until a
# death's message or an exit is logged, or the play ends (then with status 0).
play_until_death() {
  local status=0
  # Emptied before the game starts: the previous play's log must not be read as this one's.
  : >"$work/output"
  "$zarnoth" --data "$work" --level "$1" --timedemo "$work/strafe.txt" >"$work/output" 2>"$work/stderr" &
  game_pid=$!
  while kill -0 "$game_pid" 2>/dev/null; do
    if grep -qE '^[0-9]+ (message Game Over: |exit )' "$work/output"; then
      stop_game
      return 0
    fi
    sleep 0.1
  done
  wait "$game_pid" || status=$?
  game_pid=""
  [ "$status" = 0 ] || fail "level $1: the play ended with status $status"
}

levels=("${@:3}")
[ ${#levels[@]} -gt 0 ] || levels=(1 2 3)
failures=0
for level in "${levels[@]}"; do
  walk="$source_dir/data/demos/walkthrough$level.txt"
  turns=$(grep -n '^hold \(left\|right\) ' "$walk" | cut -d: -f1)
  for point in 1 3 5; do
    line=$(sed -n "${point}p" <<<"$turns")
    [ -n "$line" ] || fail "walkthrough$level.txt has fewer than $point turns"
    for key in , .; do
      { head -n "$line" "$walk"; printf 'hold %s 8\nwait 2\n' "$key"; } >"$work/strafe.txt"
      play_until_death "$level"
      deaths=$(grep -c '^[0-9]* message Game Over: ' "$work/output" || true)
      exits=$(grep -c '^[0-9]* exit ' "$work/output" || true)
      if [ "$deaths" = 1 ] && [ "$exits" = 0 ]; then
        echo "ok: level $level, turn $point, strafe '$key': $(grep -E '^[0-9]+ (fell|died)$' "$work/output" | head -n1)"
      else
        echo "FAIL: level $level, turn $point, strafe '$key': $deaths deaths and $exits exits:"
        grep -E '^[0-9]+ (level|fell|died|exit|end)( |$)' "$work/output" || true
        failures=$((failures + 1))
      fi
    done
  done
done
[ "$failures" = 0 ] || exit 1
