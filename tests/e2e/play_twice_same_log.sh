#!/usr/bin/env bash
# A play is deterministic: the same script played at its own pace and as fast
# as possible gives byte-identical event logs.
# Usage: play_twice_same_log.sh <zarnoth binary> <source dir>
. "$(dirname "$0")/lib/game.bash"
copy_game_data
printf 'Resolution=640x480\nColorDepth=32\nRefreshRate=60\nGameMode=0\n' >"$work/zarnoth.ini"
script="$source_dir/data/demos/walkthrough1.txt"
events='^[0-9]+ (level|fell|died|switch|exit|message|end)( |$)'

"$zarnoth" --data "$work" --play "$script" >"$work/paced" 2>/dev/null || fail "--play failed"
"$zarnoth" --data "$work" --timedemo "$script" >"$work/fast" 2>/dev/null || fail "--timedemo failed"
grep -E "$events" "$work/fast" >"$work/fast-events" || true
grep -q ' exit 2$' "$work/paced" || fail "the script did not reach the exit: $(cat "$work/paced")"
cmp "$work/paced" "$work/fast-events" || { diff "$work/paced" "$work/fast-events"; fail "the logs differ"; }
echo "ok"
