#!/usr/bin/env bash
# The player's progress across plays, with the user's data directory in the
# test's own: a play that leaves level 1 through its exit keeps level 2 and
# the level's time, --continue starts there, a slower play keeps the best
# time, a faster one replaces it; a timedemo neither reads nor writes the
# file; a broken file is one line on stderr and is replaced at the next save;
# a directory that cannot be written is one line, and the play goes on.
. "$(dirname "$0")/lib/game.bash"
copy_game_data
printf 'Resolution=64x48\nColorDepth=32\nRefreshRate=60\nGameMode=0\n' >"$work/zarnoth.ini"
export GALLIUM_NOOP=1 ZARNOTH_MESSAGES=stderr
# Level 1 gets an exit to level 2 two units ahead of its start: half a second's walk.
walls="$work/levels/levelformat1.txt"
{ echo $(($(head -n1 "$walls") + 1)); echo '-2 -2 2 -2 z 1 2'; tail -n +2 "$walls"; } >"$work/walls"
mv "$work/walls" "$walls"
printf 'hold up 0.6\nwait 0.1\n' >"$work/fast.txt"
printf 'wait 0.5\nhold up 0.6\nwait 0.1\n' >"$work/slow.txt"
printf 'wait 0.1\n' >"$work/stand.txt"
file="$XDG_DATA_HOME/zarnoth/progress.txt"

# Plays $2 with the options before it; the log goes to $work/log, stderr to $work/stderr.
play() {
  local options=("${@:1:$#-1}")
  (cd "$work" && "$zarnoth" "${options[@]}" --play "${!#}") >"$work/log" 2>"$work/stderr" ||
    fail "the play of ${!#} failed: $(cat "$work/log")"
}
best1() { sed -n 's/^best 1 //p' "$file"; }

play fast.txt
grep -qx '[0-9]* exit 2' "$work/log" || fail "the play did not reach the exit: $(cat "$work/log")"
[ "$(head -n2 "$file")" = "$(printf 'zarnoth-progress 1\nfurthest 2')" ] || fail "the progress file: $(cat "$file")"
fast=$(best1)
[[ "$fast" =~ ^0\.[0-9]{3}$ ]] || fail "level 1's best time of half a second's walk: '$fast'"
[ -s "$work/stderr" ] && fail "stderr of a clean play: $(cat "$work/stderr")"
# Only a timedemo's log has no progress behind it; the event log says nothing new.
grep -vE '^[0-9]+ (level|exit|end) ' "$work/log" && fail "new lines in the event log"

play --continue stand.txt
[ "$(head -n1 "$work/log")" = "0 level 2" ] || fail "--continue did not start on level 2: $(cat "$work/log")"

play slow.txt
grep -qx '[0-9]* exit 2' "$work/log" || fail "the slow play did not reach the exit"
[ "$(best1)" = "$fast" ] || fail "a slower play replaced the best time $fast by $(best1)"
cp "$file" "$work/kept"

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
