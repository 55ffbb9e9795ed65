#!/usr/bin/env bash
# The player's own keys and F11, with real key presses under a window manager.
# KeyForward=w walks like Up, and Up still walks; a refused key is one line on
# stderr while the lines after it still count; the recording holds the keys
# the game has always had, so that it plays to the same log under another
# mapping. F11 fills the screen with the window, the status line follows it
# to the bottom of the screen, and F11 gives the window back.
. "$(dirname "$0")/lib/game.bash"
own_display --wm
copy_game_data
export ZARNOTH_MESSAGES=stderr
events='^[0-9]+ (level|fell|died|switch|exit|message|end)( |$)'
printf 'Resolution=640x480\nColorDepth=32\nRefreshRate=60\nGameMode=0\nKeyJump=c\nKeyForward=w\n' >"$work/zarnoth.ini"

(cd "$work" && exec "$zarnoth" --record demo.txt) >"$work/recorded.log" 2>"$work/stderr" &
game_pid=$!
window=$(wait_for_window Zarnoth) || fail "no Zarnoth window"
focus_window "$window"
wait_for_focus "$window" || fail "the game's window did not get the keyboard focus"
# Keys pressed before the frames run would arrive in one step, down and up together.
steps() { grep -c '^step ' "$work/demo.txt" || true; }
wait_until 30 eval '[ "$(steps)" -ge 10 ]' || fail "the recording does not step"
xdotool keydown w; sleep 0.4; xdotool keyup w
xdotool keydown Up; sleep 0.4; xdotool keyup Up

size() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$window")"
  echo "${WIDTH}x${HEIGHT}"
}
# The status line's band: 5 pixels from the left and bottom edges of the screen.
status_line_at_bottom() {
  import -window root "$work/screen.png" 2>/dev/null || return 1
  local brightest
  brightest=$(convert "$work/screen.png" -crop 400x24+0+1000 +repage -colorspace Gray -format '%[fx:maxima]' info:)
  awk -v b="$brightest" 'BEGIN { exit !(b > 0.5) }'
}
xdotool key F11
wait_until 10 eval '[ "$(size)" = 1280x1024 ]' || fail "F11 did not fill the 1280x1024 screen: $(size)"
wait_until 10 status_line_at_bottom || fail "no status line at the bottom of the full screen"
xdotool key F11
wait_until 10 eval '[ "$(size)" = 640x480 ]' || fail "the second F11 did not give back the 640x480 window: $(size)"
focus_window "$window"
quit_with_escape

[ "$(cat "$work/stderr")" = "zarnoth: zarnoth.ini:5: KeyJump=c refused: the game already uses c for the collision pass" ] ||
  fail "not the one line of the refused key"
# w was recorded as Up: two walks forward, no w and no F11.
[ "$(grep -c '^down up$' "$work/demo.txt")" = 2 ] || fail "not two walks forward in the demo: $(grep -v step "$work/demo.txt")"
grep -qE '^(down|up) (w|f11)$' "$work/demo.txt" && fail "the demo holds a key the game does not have"
z=$(sed -n 's/^[0-9]* end [-0-9.]* \([-0-9.]*\) .*/\1/p' "$work/recorded.log")
awk -v z="$z" 'BEGIN { exit !(z < -2.4) }' || fail "0.8 seconds of walking ended at z $z: $(cat "$work/recorded.log")"

# Under other keys (w strafes now) the demo plays to the same log.
printf 'Resolution=64x48\nColorDepth=32\nRefreshRate=60\nGameMode=0\nKeyStrafeLeft=w\nKeyForward=s\n' >"$work/zarnoth.ini"
(cd "$work" && GALLIUM_NOOP=1 "$zarnoth" --timedemo demo.txt) >"$work/timedemo.out" 2>"$work/stderr" || fail "the play failed"
grep -E "$events" "$work/timedemo.out" >"$work/played.log" || true
cmp "$work/recorded.log" "$work/played.log" || { diff "$work/recorded.log" "$work/played.log"; fail "the logs differ"; }
echo "ok"
