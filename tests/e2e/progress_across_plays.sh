#!/usr/bin/env bash
# The player's progress across plays, with the user's data directory in the
# test's own. A play that dies and then leaves level 1 through its exit keeps
# level 2 and the level's time, the death's seconds included; a faster play
# replaces the best time, a slower one keeps it; --continue starts on level 2,
# and F2 from there counts for nothing. A timedemo neither reads nor writes
# the file; a broken file is one line on stderr and is replaced at the next
# save; a directory that cannot be written is one line, and the play goes on.
. "$(dirname "$0")/lib/game.bash"
copy_game_data
printf 'Resolution=64x48\nColorDepth=32\nRefreshRate=60\nGameMode=0\n' >"$work/zarnoth.ini"
export GALLIUM_NOOP=1 ZARNOTH_MESSAGES=stderr
# Level 1 gets an exit to level 2 two units ahead of its start: half a second's walk.
walls="$work/levels/levelformat1.txt"
{ echo $(($(head -n1 "$walls") + 1)); echo '-2 -2 2 -2 z 1 2'; tail -n +2 "$walls"; } >"$work/walls"
mv "$work/walls" "$walls"
# Strafing through the wall is a fall into the abyss behind it, the death and
# level 1 again: about four seconds from the start to the exit.
printf 'hold , 0.6\nwait 3\nhold up 0.6\nwait 0.1\n' >"$work/die.txt"
printf 'hold up 0.6\nwait 0.1\n' >"$work/fast.txt"
printf 'wait 0.5\nhold up 0.6\nwait 0.1\n' >"$work/slow.txt"
printf 'tap f2\nwait 0.1\n' >"$work/skip.txt"
file="$XDG_DATA_HOME/zarnoth/progress.txt"

# Plays $2 with the options before it; the log goes to $work/log, stderr to $work/stderr.
play() {
  local options=("${@:1:$#-1}")
  (cd "$work" && "$zarnoth" "${options[@]}" --play "${!#}") >"$work/log" 2>"$work/stderr" ||
    fail "the play of ${!#} failed: $(cat "$work/log")"
}
best1() { sed -n 's/^best 1 //p' "$file"; }

play die.txt
grep -q ' died$' "$work/log" && grep -qx '[0-9]* exit 2' "$work/log" || fail "no death and exit: $(cat "$work/log")"
[ "$(head -n2 "$file")" = "$(printf 'zarnoth-progress 1\nfurthest 2')" ] || fail "the progress file: $(cat "$file")"
slow=$(best1)
awk -v t="$slow" 'BEGIN { exit !(t > 3.5 && t < 4.5) }' || fail "the death's seconds are not in level 1's time: '$slow'"

play fast.txt
fast=$(best1)
awk -v t="$fast" -v s="$slow" 'BEGIN { exit !(t < 1 && t < s) }' || fail "the faster play's time: $fast"
[ -s "$work/stderr" ] && fail "stderr of a clean play: $(cat "$work/stderr")"
grep -vE '^[0-9]+ (level|exit|end) ' "$work/log" && fail "new lines in the event log"

cp "$file" "$work/kept"
play --continue skip.txt
[ "$(head -n1 "$work/log")" = "0 level 2" ] || fail "--continue did not start on level 2: $(cat "$work/log")"
grep -qx '[0-9]* level 3' "$work/log" || fail "F2 did not go to level 3"
cmp "$file" "$work/kept" || fail "F2 counted: $(cat "$file")"
play slow.txt
cmp "$file" "$work/kept" || fail "a slower play replaced the best time $fast: $(cat "$file")"

# A timedemo reads nothing (--continue is refused) and writes nothing.
(cd "$work" && "$zarnoth" --timedemo fast.txt) >"$work/log" 2>"$work/stderr" || fail "the timedemo failed"
cmp "$file" "$work/kept" || fail "a timedemo changed the progress file"
status=0
(cd "$work" && "$zarnoth" --continue --timedemo fast.txt) >/dev/null 2>"$work/stderr" || status=$?
[ "$status" = 2 ] || fail "--continue with --timedemo ended with status $status"
(cd "$work" && XDG_DATA_HOME="$work/fresh" "$zarnoth" --timedemo fast.txt) >/dev/null 2>&1 || fail "timedemo failed"
[ -e "$work/fresh" ] && fail "a timedemo created $(find "$work/fresh")"

# A broken file: one line, no progress (level 1 again), then replaced whole.
printf 'zarnoth-progress 1\nfurthest 9\n' >"$file"
play --continue fast.txt
[ "$(head -n1 "$work/log")" = "0 level 1" ] || fail "--continue with a broken file: $(cat "$work/log")"
[ "$(wc -l <"$work/stderr")" = 1 ] && grep -q "progress.txt: line 2: .*ignored" "$work/stderr" ||
  fail "not one line for a broken file: $(cat "$work/stderr")"
[ "$(head -n2 "$file")" = "$(printf 'zarnoth-progress 1\nfurthest 2')" ] || fail "not replaced: $(cat "$file")"

# A data directory that cannot be written (a file stands where it should be,
# which stops root too): one line, and the play goes on to its end.
mkdir -p "$work/blocked" && : >"$work/blocked/zarnoth"
XDG_DATA_HOME="$work/blocked" play fast.txt
grep -qE '^[0-9]+ end ' "$work/log" || fail "the play without a writable directory did not end"
[ "$(wc -l <"$work/stderr")" = 1 ] && grep -q "progress cannot be saved" "$work/stderr" ||
  fail "not one line for the unwritable directory: $(cat "$work/stderr")"
if [ "$(id -u)" != 0 ]; then
  mkdir -p "$work/readonly/zarnoth" && chmod a-w "$work/readonly/zarnoth"
  XDG_DATA_HOME="$work/readonly" play fast.txt
  grep -q "progress cannot be saved" "$work/stderr" || fail "no line for a read-only directory"
fi
echo "ok"
