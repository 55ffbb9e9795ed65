# Pausing stops the world and changes nothing else: level 1 played twice, the
# walk into the gap, the fall and the death, once straight and once with three
# pauses: while walking (Up is let go during the pause, Down pressed in it),
# while turning (Right held all through it) and while falling and dying (F2,
# "m", "c", space and Left pressed in it). The paused play's event log is the
# straight one's, each event (and the final "end X Z YAW") later by the frames
# paused before it; no key of the pauses shows.
. "$(dirname "$0")/lib/game.bash"
copy_game_data
export GALLIUM_NOOP=1
printf 'Resolution=64x48\nColorDepth=32\nRefreshRate=60\nGameMode=0\n' >"$work/zarnoth.ini"

# 64 frames a second: the straight play's pauses would begin at frames 232
# (after 3.625 s), 248 (0.25 s later) and 380 (0.3125 + 1.5 + 0.25 s later).
cat >"$work/straight.txt" <<'SCRIPT'
frametime 0.015625
press up
wait 3.625            # north along the first hall to z -14.5
release up
press right           # turning east
wait 0.25
wait 0.3125
release right
hold up 1.5           # into the gap at x 5
wait 0.25             # falling
wait 2.25             # dead, and level 1 again
SCRIPT
cat >"$work/paused.txt" <<'SCRIPT'
frametime 0.015625
press up
wait 3.625
press p               # frame 232: 32 frames paused
release p
wait 0.25
release up            # let go during the pause: no walking on afterwards
press down            # pressed during the pause: nothing, then or later
wait 0.25
press p
release p
press right
wait 0.25
press p               # 32 frames paused, Right held all through
release p
wait 0.5
press p
release p
wait 0.3125
release right
release down
hold up 1.5
wait 0.25
press p               # 35 frames paused while falling
release p
tap f2
tap m
tap c
press space
press left
wait 0.5
release left
press p
release p
wait 2.25
SCRIPT

events='^[0-9]+ (level|fell|died|switch|exit|message|end)( |$)'
for play in straight paused; do
  "$zarnoth" --data "$work" --timedemo "$work/$play.txt" >"$work/$play.out" 2>"$work/stderr" || fail "$play: the play failed"
  grep -E "$events" "$work/$play.out" >"$work/$play.log" || true
done
grep -q ' died$' "$work/straight.log" || fail "the straight play did not die in the gap: $(cat "$work/straight.log")"
grep -q ' message Game Over' "$work/straight.log" || fail "the straight play showed no death message"
awk '{ f = $1; print f + 32 * (f >= 232) + 32 * (f >= 248) + 35 * (f >= 380) substr($0, length(f) + 1) }' "$work/straight.log" >"$work/shifted.log"
diff -u "$work/shifted.log" "$work/paused.log" || fail "the paused play's log is not the straight one's, shifted"
echo "ok: $(wc -l <"$work/paused.log") events, the same 99 paused frames later"
