# Without a window manager, with the keyboard focus put on the game's window
# (as a script or a tool may do): the death box takes the focus, so one Return
# typed to whatever has the focus answers it, and gives it back to the game,
# whose keys work again at once. Twice, holding Up into the blade each time.
. "$(dirname "$0")/lib/game.bash"
own_display
make_blade_level 1
unset ZARNOTH_MESSAGES
start_game
game=$(wait_for_window Zarnoth) || fail "no Zarnoth window"
xdotool windowfocus --sync "$game" || fail "could not focus the game"

die_once_holding_up
[ "$(xdotool getwindowfocus)" = "$game" ] || fail "the focus did not come back to the game"
die_once_holding_up
kill -0 "$game_pid" || fail "the game ended"
echo "ok"
