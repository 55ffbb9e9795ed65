#!/usr/bin/env bash
# A play is deterministic: the same script played at its own pace and as fast
# as possible gives byte-identical event logs. The timedemo adds its figures
# and the screenshot of the last frame.
# Usage: play_twice_same_log.sh <zarnoth binary> <source dir>
. "$(dirname "$0")/lib/game.bash"
copy_game_data
printf 'Resolution=640x480\nColorDepth=32\nRefreshRate=60\nGameMode=0\n' >"$work/zarnoth.ini"
script="$source_dir/data/demos/walkthrough1.txt"
events='^[0-9]+ (level|fell|died|switch|exit|message|end)( |$)'

"$zarnoth" --data "$work" --play "$script" >"$work/paced" 2>/dev/null || fail "--play failed"
"$zarnoth" --data "$work" --timedemo "$script" --shot "$work/shot.png" >"$work/fast" 2>/dev/null || fail "--timedemo failed"
grep -E "$events" "$work/fast" >"$work/fast-events" || true
grep -q ' exit 2$' "$work/paced" || fail "the script did not reach the exit: $(cat "$work/paced")"
cmp "$work/paced" "$work/fast-events" || { diff "$work/paced" "$work/fast-events"; fail "the logs differ"; }

# The figures follow the log: rate, the four parts, then a line per level load
# (as many as the log has levels) and per death (as many as it has deaths).
grep -vE "$events" "$work/fast" | sed -E 's/[0-9]+(\.[0-9]+)?/N/g' >"$work/figures"
{
  printf '%s\n' 'N frames, N seconds: N fps (min N, N% low N)' 'idle step: N ms per frame' 'drawing: N ms per frame' \
    'collision pass: N ms per frame' 'buffer swap: N ms per frame'
  grep -E '^[0-9]+ level ' "$work/paced" | sed 's/.*/level N load: N ms/'
  { grep -E '^[0-9]+ died$' "$work/paced" || true; } | sed 's/.*/death to next frame: N ms/'
} >"$work/expected"
diff "$work/expected" "$work/figures" || fail "the timedemo figures are not in their form"
[ "$(head -c 8 "$work/shot.png" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] || fail "no PNG screenshot"
identify -format '%w %h' "$work/shot.png" | grep -qx '640 480' || fail "the screenshot is not 640x480"

# A screenshot that cannot be written is a failure, not a finished play.
printf 'wait 0.1\n' >"$work/short.txt"
status=0
"$zarnoth" --data "$work" --play "$work/short.txt" --shot "$work/missing/shot.png" >/dev/null 2>"$work/stderr" || status=$?
[ "$status" = 1 ] || fail "an unwritable screenshot ended with status $status"
grep -q "the screenshot .*missing/shot.png cannot be written" "$work/stderr" || fail "no message for the screenshot"
echo "ok"
