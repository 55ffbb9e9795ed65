#!/usr/bin/env bash
# A play is deterministic and keeps to its script's pace: the same script
# played at its own pace in a 640x480 window and as fast as possible in a
# 64x48 one that Mesa's no-op driver draws nothing into gives byte-identical
# event logs, and frames played at their pace take their time. The timedemo
# adds its figures and the screenshot of the last frame. Every
# other test whose proof is the event log plays its script as a timedemo, in a
# small window, with the no-op driver, and relies on this one.
# Usage: play_twice_same_log.sh <zarnoth binary> <source dir>
. "$(dirname "$0")/lib/game.bash"
copy_game_data
# The example level of docs/LEVELS.md: its route presses the switch, passes
# the lattice the switch raises in time and leaves by the exit to level 2.
cp -r "$source_dir/docs/example/levels" "$source_dir/docs/example/models" "$work/"
script="$source_dir/docs/example/route.txt"
events='^[0-9]+ (level|fell|died|switch|exit|message|end)( |$)'
settings() { printf 'Resolution=%s\nColorDepth=32\nRefreshRate=60\nGameMode=0\n' "$1" >"$work/zarnoth.ini"; }

settings 640x480
GALLIUM_NOOP=0 "$zarnoth" --data "$work" --play "$script" >"$work/paced" 2>/dev/null || fail "--play failed"
settings 64x48
GALLIUM_NOOP=1 "$zarnoth" --data "$work" --timedemo "$script" --shot "$work/shot.png" >"$work/fast" 2>/dev/null ||
  fail "--timedemo failed"
grep -E "$events" "$work/fast" >"$work/fast-events" || true
grep -q ' exit 2$' "$work/paced" || fail "the script did not reach the exit: $(cat "$work/paced")"
cmp "$work/paced" "$work/fast-events" || { diff "$work/paced" "$work/fast-events"; fail "the logs differ"; }

# The pace: six frames of half a second, however fast the machine draws
# them. The last one starts 2.5 seconds after the first, and the play ends
# with it: from the first line of the log (the level loaded) to the last,
# at least that, loosely.
printf 'frametime 0.5\nwait 3\n' >"$work/slow.txt"
stamp() { local line; while IFS= read -r line; do printf '%s %s\n' "${EPOCHREALTIME/[.,]/}" "$line"; done; }
GALLIUM_NOOP=0 "$zarnoth" --data "$work" --play "$work/slow.txt" 2>/dev/null | stamp >"$work/stamped" || fail "--play failed"
grep -q '^[0-9]* 6 end ' "$work/stamped" || fail "six frames expected: $(cat "$work/stamped")"
elapsed_us=$(($(tail -n1 "$work/stamped" | cut -d' ' -f1) - $(head -n1 "$work/stamped" | cut -d' ' -f1)))
echo "paced play: $((elapsed_us / 1000)) ms for six frames of 0.5 seconds"
[ "$elapsed_us" -ge 2400000 ] || fail "six frames of 0.5 seconds played in $((elapsed_us / 1000)) ms"

# The figures follow the log: rate, the four parts, then a line per level load
# (as many as the log has levels) and per death (as many as it has deaths).
grep -vE "$events" "$work/fast" | sed -E 's/[0-9]+(\.[0-9]+)?/N/g' >"$work/figures"
{
  printf '%s\n' 'N frames, N seconds: N fps (min N, N% low N)' \
    'play: N frames, N% low N fps, worst N ms; loads: N, median N ms, worst N ms' \
    'idle step: N ms per frame' 'drawing: N ms per frame' \
    'collision pass: N ms per frame' 'buffer swap: N ms per frame'
  grep -E '^[0-9]+ level ' "$work/paced" | sed 's/.*/level N load: N ms/'
  { grep -E '^[0-9]+ died$' "$work/paced" || true; } | sed 's/.*/death to next frame: N ms/'
} >"$work/expected"
diff "$work/expected" "$work/figures" || fail "the timedemo figures are not in their form"
# Play and loads apart: F2 loads level 2 in the frame its key arrives, and
# that frame is a load, not play; so is a frame whose collision pass leaves by
# an exit, together with the next one, which first draws the new level.
printf 'wait 0.5\ntap f2\nwait 0.5\n' >"$work/next.txt"
GALLIUM_NOOP=1 "$zarnoth" --data "$work" --timedemo "$work/next.txt" >"$work/next" 2>/dev/null || fail "--timedemo failed"
grep -qx '61 frames, .*' "$work/next" || fail "61 frames expected: $(cat "$work/next")"
grep -qE '^play: 60 frames, 1% low [0-9.]+ fps, worst [0-9.]+ ms; loads: 1, median [0-9.]+ ms, worst [0-9.]+ ms$' \
  "$work/next" || fail "one load and 60 frames of play expected: $(grep '^play' "$work/next")"
# The benchmarks' frame files hold the same 60 frames of play, 30 of each
# level: milliseconds and level, then, when asked, what the machine took.
ZARNOTH_FRAME_TIMES="$work/frames" GALLIUM_NOOP=1 "$zarnoth" --data "$work" --timedemo "$work/next.txt" >/dev/null 2>&1 ||
  fail "--timedemo with a frame file failed"
[ "$(grep -cE '^[0-9.]+ 1$' "$work/frames")" = 30 ] && [ "$(grep -cE '^[0-9.]+ 2$' "$work/frames")" = 30 ] &&
  [ "$(wc -l <"$work/frames")" = 60 ] || fail "the frame file is not 30 frames of level 1, then 30 of 2: $(cat "$work/frames")"
ZARNOTH_FRAME_WAITS=1 ZARNOTH_FRAME_TIMES="$work/waits" GALLIUM_NOOP=1 "$zarnoth" --data "$work" --timedemo \
  "$work/next.txt" >/dev/null 2>&1 || fail "--timedemo with the machine's waits failed"
[ "$(grep -cE '^[0-9.]+ [12] [0-9.]+ [0-9]+$' "$work/waits")" = 60 ] || fail "no waits in the frame file: $(cat "$work/waits")"
exits=$(grep -cE '^[0-9]+ exit ' "$work/fast-events" || true)
total=$(sed -nE 's/^([0-9]+) frames, .*/\1/p' "$work/fast")
grep -qE "^play: $((total - 2 * exits)) frames, .*; loads: $exits, " "$work/fast" ||
  fail "each of $exits exits should take two of the $total frames: $(grep '^play' "$work/fast")"
[ "$(head -c 8 "$work/shot.png" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] || fail "no PNG screenshot"
identify -format '%w %h' "$work/shot.png" | grep -qx '64 48' || fail "the screenshot is not the window's 64x48"

# A screenshot that cannot be written is a failure, not a finished play.
printf 'wait 0.1\n' >"$work/short.txt"
status=0
"$zarnoth" --data "$work" --play "$work/short.txt" --shot "$work/missing/shot.png" >/dev/null 2>"$work/stderr" || status=$?
[ "$status" = 1 ] || fail "an unwritable screenshot ended with status $status"
grep -q "the screenshot .*missing/shot.png cannot be written" "$work/stderr" || fail "no message for the screenshot"
echo "ok"
