# A missing zarnoth.ini shows a real message box; a key answers it and the game
# goes on. On an X server of its own, with a window manager as on a desktop.
. "$(dirname "$0")/lib/game.bash"
own_display --wm
copy_game_data
unset ZARNOTH_MESSAGES
start_game

box=$(wait_for_window Fehler) || fail "no message box"
# Half a second in which the game's window must not open.
sleep 0.5
window_exists Zarnoth && fail "the game window opened before the message was answered"
kill -0 "$game_pid" || fail "the game ended while the box was open"

xdotool windowfocus "$box" 2>/dev/null || true
xdotool key --window "$box" space
wait_for_window Zarnoth >/dev/null || fail "no Zarnoth window after the message"
grep -q "Fehler: zarnoth.ini kann nicht gelesen werden. Standardsettings werden erstellt." "$work/stderr" \
  || fail "message not on stderr"
echo "ok"
