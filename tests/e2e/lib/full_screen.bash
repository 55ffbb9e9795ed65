# Full screen (GLUT game mode) on Xorg with the dummy driver, shared by the
# Linux test and the Windows one under Wine: sourced after lib/game.bash and
# `own_display --xorg`. The game is asked for 800x600, a mode the server offers.
current_mode() { xrandr | awk '/\*/ { print $1; exit }'; }
before=$(current_mode)
[ -n "$before" ] || fail "xrandr reports no mode"

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

