# A player on a desktop with a window manager (openbox): keys held into a
# message box, or let go in another window, must not keep the player walking.
# Three deaths in a row holding Up, each answered by one Return; Up held while
# the focus goes to another window and back; Up held through F2 into a broken
# level. A minimised game sleeps instead of spinning, and plays on when restored.
. "$(dirname "$0")/lib/game.bash"
own_display --wm
make_blade_level 1
# Level 2 has its blade, but no wall file: its load shows a read error.
make_blade_level 2
rm "$work/levels/levelformat2.txt"
unset ZARNOTH_MESSAGES
start_game
game=$(wait_for_window Zarnoth) || fail "no Zarnoth window"
focus_window "$game"

for round in 1 2 3; do die_once_holding_up; done

# Let go of Up in another window: the player must stop where it is.
other_title="other-$$"
xmessage -title "$other_title" "another program" &
other_pid=$!
trap 'kill $other_pid 2>/dev/null; cleanup' EXIT
other=""
for i in $(seq 1 50); do
  other=$(xdotool search --onlyvisible --name "^$other_title\$" 2>/dev/null | head -n1 || true)
  [ -n "$other" ] && break
  sleep 0.1
done
[ -n "$other" ] || fail "no second window"
focus_window "$game"
wait_for_focus "$game" || fail "the game did not get the focus back"
xdotool keydown Up
sleep 0.2 # walking
# Straight to the other window: the player walks until the focus has gone.
xdotool windowfocus --sync "$other"
xdotool keyup Up
# A second away, then three back in the game: a player walking on would die within two.
no_death_box_for 1 || fail "the player walked on after the focus went to another window"
focus_window "$game"
no_death_box_for 3 || fail "the player walked on after Up was let go in another window"
[ "$(deaths)" = 3 ] || fail "the player walked on after Up was let go in another window"

# Hold Up through F2: the read error's box takes the release.
xdotool keydown Up
sleep 0.1 # walking
xdotool key F2
box=$(wait_for_window "Fehler beim Lesen der Files." 10) || { xdotool keyup Up; fail "no read-error box"; }
wait_for_focus "$box" || { xdotool keyup Up; fail "the read-error box did not take the keyboard focus"; }
xdotool keyup Up
xdotool key Return
wait_until_closed "Fehler beim Lesen der Files." || fail "one Return did not close the read-error box"
no_death_box_for 3 || fail "the player walked on in level 2 after the read-error box"
[ "$(deaths)" = 3 ] || fail "the player walked on in level 2 after the read-error box"

# Minimised, the game waits for events (after half a second to notice).
xdotool windowminimize --sync "$game" || fail "could not minimise the game"
sleep 0.5
ticks() { awk '{ print $14 + $15 }' "/proc/$game_pid/stat"; }
start=$(ticks)
sleep 2
used=$(( $(ticks) - start ))
echo "minimised: $used clock ticks in 2 seconds"
hz=$(getconf CLK_TCK)
# Spinning takes a whole core: 2 seconds' worth of ticks.
[ "$used" -lt $((hz / 5)) ] || fail "minimised, the game used $used of $((hz * 2)) clock ticks"

# Restored, it plays on: the next walk into level 2's blade is one death, and
# the restart of level 2 shows its read error again.
focus_window "$game"
wait_for_focus "$game" || fail "the restored game did not get the keyboard focus"
xdotool keydown Up
box=$(wait_for_window "Game Over" 10) || { xdotool keyup Up; fail "no death after the window came back"; }
wait_for_focus "$box" || { xdotool keyup Up; fail "the death box did not take the keyboard focus"; }
xdotool keyup Up
xdotool key Return
wait_for_window "Fehler beim Lesen der Files." 10 >/dev/null || fail "level 2 was not loaded again"
xdotool key Return
wait_until_closed "Fehler beim Lesen der Files." || fail "the second read-error box stayed"
no_death_box_for 1 || fail "a death after the second read-error box"
[ "$(deaths)" = 4 ] || fail "$(deaths) deaths, expected 4"
kill -0 "$game_pid" || fail "the game ended"
echo "ok"
