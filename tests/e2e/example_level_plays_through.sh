#!/usr/bin/env bash
# The example level of docs/LEVELS.md, put over a copy of the game's data as
# the guide says, is clean for zarnoth-check and is played through by its
# route script: the switch raises the lattice, the exit leads to level 2, and
# the player neither falls nor dies.
# Usage: example_level_plays_through.sh <zarnoth binary> <source dir>
. "$(dirname "$0")/lib/game.bash"
copy_game_data
# The log is the proof: a timedemo in a small window, drawn by Mesa's no-op
# driver, plays it as --play would (play_twice_same_log.sh).
printf 'Resolution=64x48\nColorDepth=32\nRefreshRate=60\nGameMode=0\n' >"$work/zarnoth.ini"
cp -r "$source_dir/docs/example/levels" "$source_dir/docs/example/models" "$work/"

checker="$(cd "$(dirname "$zarnoth")" && pwd)/zarnoth-check"
"$checker" "$work" >"$work/check" || fail "zarnoth-check: $(cat "$work/check")"

status=0
GALLIUM_NOOP=1 "$zarnoth" --data "$work" --level 1 --timedemo "$source_dir/docs/example/route.txt" >"$work/log" 2>"$work/stderr" ||
  status=$?
[ "$status" = 0 ] || fail "the play ended with status $status"
# Every line of the log but the end (the timedemo's figures follow it).
events=$(sed '/^[0-9]* end /,$d' "$work/log" | cut -d' ' -f2- | tr '\n' ',')
[ "$events" = "level 1,switch,exit 2,level 2," ] || fail "events: $events"
echo ok
