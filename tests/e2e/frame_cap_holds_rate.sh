#!/usr/bin/env bash
# MaxFps holds the frame rate: plays whose scripts would show their frames a
# millisecond apart take three seconds more for 90 frames more at MaxFps=30
# (frames over wall time within 10%; the difference of two plays leaves out
# the start-up). A timedemo ignores the cap. Bad values of MaxFps and VSync are
# named on stderr, and the game runs as without them; zarnoth-check warns of
# them. Skipped (77) on a machine that cannot play the script at three times
# 30 frames a second uncapped.
# Usage: frame_cap_holds_rate.sh <zarnoth binary> <source dir>
. "$(dirname "$0")/lib/game.bash"
copy_game_data
settings() { printf 'Resolution=64x48\nColorDepth=32\nRefreshRate=60\nGameMode=0\n%b' "$1" >"$work/zarnoth.ini"; }
stamp() { local line; while IFS= read -r line; do printf '%s %s\n' "${EPOCHREALTIME/[.,]/}" "$line"; done; }
# Microseconds from the first line of the log (the level loaded, before the
# first frame) to the last (the end, after the last frame) of a play of N frames.
play_time() {
  printf 'frametime 0.001\nwait 0.%03d\n' "$1" >"$work/quick.txt"
  GALLIUM_NOOP=1 "$zarnoth" --data "$work" --play "$work/quick.txt" 2>"$work/stderr" | stamp >"$work/stamped" ||
    fail "--play failed"
  grep -q "^[0-9]* $1 end " "$work/stamped" || fail "$1 frames expected: $(cat "$work/stamped")"
  echo $(($(tail -n1 "$work/stamped" | cut -d' ' -f1) - $(head -n1 "$work/stamped" | cut -d' ' -f1)))
}
median3() { printf '%s\n' "$@" | sort -n | sed -n 2p; }
# Thousandths of a frame per second over the 90 frames by which two plays
# differ, each the median of three (the start-up varies most).
rate() {
  local short long
  short=$(median3 "$(play_time 21)" "$(play_time 21)" "$(play_time 21)")
  long=$(median3 "$(play_time 111)" "$(play_time 111)" "$(play_time 111)")
  echo $((90 * 1000000000 / (long - short)))
}

settings ''
uncapped=$(rate)
echo "uncapped: $((uncapped / 1000)) fps"
# Well above the cap, or scheduling delays of a busy machine show in the figure.
if [ "$uncapped" -lt 90000 ]; then
  echo "SKIP: this machine plays the script at only $((uncapped / 1000)) fps uncapped"
  exit 77
fi
settings 'MaxFps=30\nVSync=1\n'
capped=$(rate)
echo "MaxFps=30: $capped thousandths of a frame per second"
[ "$capped" -ge 27000 ] && [ "$capped" -le 33000 ] || fail "MaxFps=30 held $((capped / 1000)) fps"
[ ! -s "$work/stderr" ] || fail "good values gave messages: $(cat "$work/stderr")"

capped_long=$(play_time 111)
settings 'MaxFps=30\n'
GALLIUM_NOOP=1 "$zarnoth" --data "$work" --timedemo "$work/quick.txt" 2>/dev/null | stamp >"$work/stamped" ||
  fail "--timedemo failed"
timedemo_us=$(($(grep ' end ' "$work/stamped" | cut -d' ' -f1) - $(head -n1 "$work/stamped" | cut -d' ' -f1)))
[ $((timedemo_us * 4)) -lt $((capped_long * 3)) ] ||
  fail "the timedemo took $((timedemo_us / 1000)) ms, the capped play $((capped_long / 1000)) ms: it kept to the cap"

settings 'MaxFps=fast\nVSync=2\n'
GALLIUM_NOOP=1 "$zarnoth" --data "$work" --timedemo "$work/quick.txt" >/dev/null 2>"$work/stderr" || fail "bad values ended the game"
diff - "$work/stderr" <<'LINES' || fail "the messages for bad values differ"
zarnoth: zarnoth.ini:5: MaxFps=fast ignored: not a whole number from 0 to 1000 (no cap)
zarnoth: zarnoth.ini:6: VSync=2 ignored: not 0 or 1 (no waiting)
LINES
status=0
(cd "$work" && "$(dirname "$zarnoth")/zarnoth-check" >"$work/check") || status=$?
[ "$status" = 1 ] || fail "zarnoth-check ended with $status: $(cat "$work/check")"
grep -qx 'zarnoth.ini:5: warning: MaxFps=fast ignored: not a whole number from 0 to 1000 (no cap)' "$work/check" ||
  fail "zarnoth-check did not warn of MaxFps: $(cat "$work/check")"
echo "ok"
