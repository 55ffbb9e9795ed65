#!/usr/bin/env bash
# A demo recorded with real key presses plays back to the same event log, and
# a recording that is killed leaves a demo that plays up to that point. The
# keys go to an X server of its own, with a window manager as on a desktop;
# the demos are played back as timedemos, drawn by Mesa's no-op driver (the
# log of --play, without the wait and the pixels: play_twice_same_log.sh).
. "$(dirname "$0")/lib/game.bash"
own_display --wm
copy_game_data
printf 'Resolution=640x480\nColorDepth=32\nRefreshRate=60\nGameMode=0\n' >"$work/zarnoth.ini"
export ZARNOTH_MESSAGES=stderr
events='^[0-9]+ (level|fell|died|switch|exit|message|end)( |$)'

# Plays demo $1 in $work as a timedemo and writes its event log to $2.
play_back() {
  (cd "$work" && GALLIUM_NOOP=1 "$zarnoth" --timedemo "$1") >"$work/timedemo.out" 2>"$work/stderr" || return 1
  grep -E "$events" "$work/timedemo.out" >"$2" || true
}

record() {
  (cd "$work" && exec "$zarnoth" --record "$1") >"$work/recorded.log" 2>"$work/stderr" &
  game_pid=$!
}

# Level 1 with real keys: left of the blade, over the switch, into the lattice
# or through it, then Esc. The exact way depends on the timing of the keys;
# the demo holds what happened.
record demo.txt
window=$(wait_for_window Zarnoth) || fail "no Zarnoth window"
focus_window "$window"
wait_for_focus "$window" || fail "the game's window did not get the keyboard focus"
xdotool keydown comma; sleep 0.33; xdotool keyup comma
xdotool keydown Up; sleep 3.5; xdotool keyup Up
xdotool key c
xdotool keydown Down; sleep 0.5; xdotool keyup Down
quit_with_escape
head -n1 "$work/demo.txt" | grep -qx 'zarnoth-demo 1' || fail "no demo header: $(head -n3 "$work/demo.txt")"
grep -q '^down up$' "$work/demo.txt" || fail "the demo holds no Up key: $(cat "$work/demo.txt" | head -20)"
grep -qE '^[0-9]+ end ' "$work/recorded.log" || fail "the recording wrote no end line"
grep -qx 'down escape' <(tail -n1 "$work/demo.txt") || fail "the demo does not end with Esc"

play_back demo.txt "$work/played.log" || fail "the play failed"
cmp "$work/recorded.log" "$work/played.log" || { diff "$work/recorded.log" "$work/played.log"; fail "the logs differ"; }
grep -q 'warning' "$work/stderr" && fail "a warning for unchanged files: $(cat "$work/stderr")"

# A changed level file still plays, with a warning.
echo >>"$work/levels/action3.txt"
play_back demo.txt "$work/played.log" || fail "the play with changed files failed"
grep -q 'demo.txt was recorded with other level files' "$work/stderr" || fail "no warning for changed files"

# Killed while it walks: the demo plays up to its last whole line, and its log
# is the start of the recorded one.
record killed.txt
window=$(wait_for_window Zarnoth) || fail "no Zarnoth window for the second recording"
focus_window "$window"
wait_for_focus "$window" || fail "the second game's window did not get the keyboard focus"
xdotool keydown Up
# Killed once some seconds' worth of steps have reached the file, however slow the machine.
for _ in $(seq 1 600); do
  [ "$(grep -c '^step ' "$work/killed.txt" || true)" -ge 60 ] && break
  sleep 0.1
done
{ kill -9 "$game_pid"; wait "$game_pid"; } 2>/dev/null || true
xdotool keyup Up
game_pid=""
play_back killed.txt "$work/played.log" || fail "the killed demo does not play"
grep -v ' end ' "$work/played.log" >"$work/played-events" || true
steps=$(grep -c '^step ' "$work/killed.txt" || true)
[ "$steps" -ge 60 ] || fail "only $steps steps were flushed before the kill"
head -n "$(wc -l <"$work/played-events")" "$work/recorded.log" | cmp - "$work/played-events" \
  || fail "the killed demo's log is not the start of the recorded one"
echo "ok"
