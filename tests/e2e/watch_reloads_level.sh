#!/usr/bin/env bash
# zarnoth --watch reloads the level when a file it read changes: a level file
# written in place, a model replaced by renaming, a broken object file (whose
# first error the checker prints on stderr beside the game's own message). The
# player stays where the script walked it.
# Usage: watch_reloads_level.sh <zarnoth binary> <source dir>
. "$(dirname "$0")/lib/game.bash"
copy_game_data
# A small window: the play keeps its pace without a core of its own.
printf 'Resolution=64x48\nColorDepth=32\nRefreshRate=60\nGameMode=0\n' >"$work/zarnoth.ini"
cp -r "$source_dir/docs/example/levels" "$source_dir/docs/example/models" "$work/"
# Walk 4 units, then "m" reloads the level once: from that load on the player
# stands still. The play runs at its pace (the files change while it plays)
# and lasts long enough for the changes below on a busy machine.
printf 'hold up 1\ntap m\nwait 15\n' >"$work/route.txt"

"$zarnoth" --data "$work" --level 1 --watch --play "$work/route.txt" >"$work/log" 2>"$work/stderr" &
game_pid=$!

# Waits until the log holds $1 loads of level 1.
wait_for_loads() {
  local i
  for i in $(seq 1 150); do
    [ "$(grep -c ' level 1$' "$work/log" || true)" -ge "$1" ] && return 0
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended early"
    sleep 0.1
  done
  fail "no reload number $1; log: $(cat "$work/log")"
}

wait_for_loads 2
echo >>"$work/levels/action1.txt"
wait_for_loads 3

cp "$work/models/loch.txt" "$work/models/loch.new"
echo "// saved again" >>"$work/models/loch.new"
mv "$work/models/loch.new" "$work/models/loch.txt"
wait_for_loads 4

cp "$work/levels/level1.cfg" "$work/level1.good"
sed -i 's/^Translation=-1.25 0 -5$/Translation=-1.25 0/' "$work/levels/level1.cfg"
wait_for_loads 5
grep -q '^levels/level1.cfg:14: error: expected "Translation=x y z"' "$work/stderr" || fail "no checker error on stderr"
grep -q 'Fehler beim Lesen der Files.: Fehler.' "$work/stderr" || fail "no message of the game"

cp "$work/level1.good" "$work/levels/level1.cfg"
wait_for_loads 6
echo "// not read by the level" >>"$work/models/tarnel.txt"
sleep 1
[ "$(grep -c ' level 1$' "$work/log")" = 6 ] || fail "a file the level does not read caused a reload"

wait "$game_pid" || fail "the play ended with an error"
game_pid=""
read -r _ _ x z _ < <(grep '^[0-9]* end ' "$work/log")
awk -v x="$x" -v z="$z" 'BEGIN { exit !(x == 0 && z < -3.8 && z > -4.2) }' ||
  fail "the player ended at $x $z instead of where it stood, 4 units ahead"
echo ok
