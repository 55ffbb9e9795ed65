# Game mode is never possible under the test X server: the settings are refused and the game ends with 0.
. "$(dirname "$0")/lib/game.bash"
printf 'Resolution=640x480\nGameMode=1\n' >"$work/zarnoth.ini"
export ZARNOTH_MESSAGES=stderr
start_game
status=0
wait "$game_pid" || status=$?
game_pid=""
[ "$status" = 0 ] || fail "exit status $status"
grep -qx "Fehler: Geladene Einstellungen ungültig." "$work/stderr" || fail "message missing"
echo "ok"
