# Game mode is never possible under the test X server: the settings are
# refused and the game ends with 0, after one line on stderr that says which
# setting was refused and why, and the message box.
. "$(dirname "$0")/lib/game.bash"
printf 'Resolution=640x480\nGameMode=1\n' >"$work/zarnoth.ini"
export ZARNOTH_MESSAGES=stderr
start_game
status=0
wait "$game_pid" || status=$?
game_pid=""
[ "$status" = 0 ] || fail "exit status $status"
expected=$(printf '%s\n' "zarnoth: zarnoth.ini:2: GameMode=1 refused: the display has no full-screen mode 640x480:16@60" \
  "Fehler: Geladene Einstellungen ungültig.")
[ "$(cat "$work/stderr")" = "$expected" ] || fail "stderr is not the refusal and the message"
echo "ok"
