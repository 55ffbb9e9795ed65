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
. "$(dirname "$0")/lib/full_screen.bash"

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
