# Full screen (GLUT game mode) on a real X server, Xorg with the dummy driver:
# a mode the server cannot do is refused with the settings message; a mode it
# offers (800x600) is switched to, as xrandr shows, and the game covers the
# screen; three deaths in a row holding Up, each box shown above the game and
# closed by one Return; Esc ends with 0 and the screen's mode is as before.
# Then again under a window manager (openbox), with two deaths.
. "$(dirname "$0")/lib/game.bash"
# Xorg without a seat manager runs only as root (as CI does).
[ "$(id -u)" = 0 ] || { echo "skipped: Xorg needs root"; exit 77; }
own_display --xorg
make_blade_level 1
current_mode() { xrandr | awk '/\*/ { print $1; exit }'; }
before=$(current_mode)
[ -n "$before" ] || fail "xrandr reports no mode"

printf 'Resolution=900x700\nColorDepth=24\nRefreshRate=60\nGameMode=1\n' >"$work/zarnoth.ini"
ZARNOTH_MESSAGES=stderr start_game
status=0
wait "$game_pid" || status=$?
game_pid=""
[ "$status" = 0 ] || fail "exit status $status for a mode the server cannot do"
grep -qx "Fehler: Geladene Einstellungen ungültig." "$work/stderr" || fail "no settings message for 900x700"

printf 'Resolution=800x600\nColorDepth=24\nRefreshRate=60\nGameMode=1\n' >"$work/zarnoth.ini"
unset ZARNOTH_MESSAGES
check_box_on_top=1

# Starts the game in full screen and checks that it covers the whole screen,
# switched to 800x600.
start_full_screen() {
  start_game
  game=""
  for i in $(seq 1 300); do
    game=$(xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null | head -n1 || true)
    [ -n "$game" ] && break
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended"
    sleep 0.1
  done
  [ -n "$game" ] || fail "no game-mode window"
  wait_until 10 mode_is 800x600 || fail "the screen is at $(current_mode), not 800x600"
  wait_until 10 covers_screen "$game" || fail "game window not at the screen's corner or not its size: $geometry"
  wait_until 10 status_line_shown || fail "no status line at the screen's bottom left (brightest $brightest)"
}
mode_is() { [ "$(current_mode)" = "$1" ]; }
covers_screen() {
  geometry=$(xdotool getwindowgeometry "$1")
  echo "$geometry" | grep -q "Position: 0,0" && echo "$geometry" | grep -q "Geometry: 800x600"
}
# The status line, 5 pixels from the screen's left and bottom edges.
status_line_shown() {
  import -window root "$work/screen.png" 2>/dev/null || return 1
  brightest=$(convert "$work/screen.png" -crop 400x24+0+576 +repage -colorspace Gray -format '%[fx:maxima]' info:)
  awk -v b="$brightest" 'BEGIN { exit !(b > 0.5) }'
}

# Esc ends the game with 0 and leaves the screen in the mode it had.
quit_full_screen() {
  quit_with_escape
  [ "$(current_mode)" = "$before" ] || fail "the screen stayed at $(current_mode), was $before"
}

start_full_screen
for round in 1 2 3; do die_once_holding_up; done
quit_full_screen

# Under a window manager, which would stack the box below the full-screen
# window that bypasses it.
"$source_dir/scripts/start-openbox.sh" "$work/wm" || fail "openbox did not start"
wm_pid=$(cat "$work/wm/openbox.pid")
trap 'kill "$wm_pid" 2>/dev/null; cleanup' EXIT
start_full_screen
for round in 1 2; do die_once_holding_up; done
quit_full_screen
echo "ok"
