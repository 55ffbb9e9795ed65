#!/usr/bin/env bash
# Strafing is never blocked, so no wall may strand a player outside a level:
# at points along each walkthrough (after its first, third and fifth turn)
# the player strafes left, or right, for 8 seconds, longer than any corridor is
# wide, and must end in the abyss beyond the walls (or on a deadly object),
# each time with one death. Between the strafes, F1 and F2 load the level
# afresh before the walkthrough starts again, so its timing still holds.
# Usage: play_strafe_out.sh <zarnoth binary> <source dir> [level...] (default: 1 2 3)
. "$(dirname "$0")/lib/game.bash"
copy_game_data
printf 'Resolution=160x120\nColorDepth=32\nRefreshRate=60\nGameMode=0\n' >"$work/zarnoth.ini"

levels=("${@:3}")
[ ${#levels[@]} -gt 0 ] || levels=(1 2 3)
failures=0
for level in "${levels[@]}"; do
  walk="$source_dir/data/demos/walkthrough$level.txt"
  case $level in
    1) reload='press f2\nrelease f2\npress f1\nrelease f1\n' ;;
    *) reload="press f1\nrelease f1\npress f2\nrelease f2\n" ;;
  esac
  turns=$(grep -n '^hold \(left\|right\) ' "$walk" | cut -d: -f1)
  : >"$work/strafe.txt"
  strafes=0
  for point in 1 3 5; do
    line=$(sed -n "${point}p" <<<"$turns")
    [ -n "$line" ] || fail "walkthrough$level.txt has fewer than $point turns"
    for key in , .; do
      { head -n "$line" "$walk"; printf 'hold %s 8\nwait 2\n' "$key"; printf "$reload"; } >>"$work/strafe.txt"
      strafes=$((strafes + 1))
    done
  done
  "$zarnoth" --data "$work" --level "$level" --timedemo "$work/strafe.txt" >"$work/output" 2>"$work/stderr" \
    || fail "level $level: the play ended with an error"
  deaths=$(grep -c '^[0-9]* message Game Over: ' "$work/output" || true)
  exits=$(grep -c '^[0-9]* exit ' "$work/output" || true)
  if [ "$deaths" = "$strafes" ] && [ "$exits" = 0 ]; then
    echo "ok: level $level: $strafes strafes, each ended in a fall or on a deadly object"
  else
    echo "FAIL: level $level: $deaths deaths and $exits exits for $strafes strafes:"
    grep -E '^[0-9]+ (level|fell|died|exit|end)( |$)' "$work/output"
    failures=$((failures + 1))
  fi
done
[ "$failures" = 0 ] || exit 1
