# Walking forward into a wall that leads to another level loads that level;
# Esc then ends the game with exit code 0.
. "$(dirname "$0")/lib/game.bash"
printf 'Resolution=640x480\nColorDepth=32\nRefreshRate=60\nGameMode=0\n' >"$work/zarnoth.ini"
mkdir -p "$work/levels"
: >"$work/levels/level1.cfg"
: >"$work/levels/action1.txt"
# Across the way one unit ahead, leading to level 2, whose files are missing:
# its load shows the read error, which is the sign that the exit was taken.
printf '1\n-5 -1 5 -1 z -1 2\n' >"$work/levels/levelformat1.txt"
export ZARNOTH_MESSAGES=stderr
start_game

window=$(wait_for_window Zarnoth) || fail "no Zarnoth window"
# Another test may take the keyboard focus on the shared server: try again.
for attempt in 1 2 3 4 5; do
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool keydown Up
  sleep 1
  xdotool keyup Up
  grep -q "Fehler beim Lesen der Files.: Lesefehler." "$work/stderr" && break
done
grep -q "Fehler beim Lesen der Files.: Lesefehler." "$work/stderr" || fail "the exit wall did not load level 2"
kill -0 "$game_pid" || fail "the game ended"

for attempt in 1 2 3 4 5; do
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool key Escape
  for i in $(seq 1 20); do
    kill -0 "$game_pid" 2>/dev/null || break 2
    sleep 0.1
  done
done
status=0
wait "$game_pid" || status=$?
game_pid=""
[ "$status" = 0 ] || fail "exit code $status after Esc"
echo "ok"
