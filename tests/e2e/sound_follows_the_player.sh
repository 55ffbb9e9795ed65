#!/usr/bin/env bash
# The game heard through OpenAL Soft's wave driver, which mixes into a WAV
# file in real time, with the game's sound trace (ZARNOTH_SOUND_TRACE) giving
# each frame's place in that mix (tests/e2e/sound/check_mix.py):
# - level 1 with its world silenced: the jump, the landing, footfalls only
#   while walking and the fall, each within 50 ms of its frame; silence while
#   standing and while "t" has turned the sound off;
# - the test's own levels: a blade on the left is louder on the left, and
#   near than far, and silent while the game is paused; the jump, the
#   landing, a death by a deadly object and one
#   in water, each within 50 ms of its frame;
# - Sound=0 and Volume=0 in zarnoth.ini: nothing heard;
# - the first script again with the null driver, with no device at all, with a
#   broken and a missing sound file, and with no sounds folder: the same event
#   log, and one line on stderr for each thing missing.
. "$(dirname "$0")/lib/game.bash"
script="$source_dir/tests/e2e/sound/walk_stand_fall.txt"
world="$source_dir/tests/e2e/sound/world.txt"
check_mix="$source_dir/tests/e2e/sound/check_mix.py"
export GALLIUM_NOOP=1

# The wave driver reads its file name from alsoft.conf under $XDG_CONFIG_HOME.
mkdir -p "$work/config"
printf '[wave]\nfile=%s\n' "$work/mix.wav" >"$work/config/alsoft.conf"

ini() { printf 'Resolution=64x48\nColorDepth=32\nRefreshRate=60\nGameMode=0\n%s' "${1:-}" >"$2/zarnoth.ini"; }

# play DRIVER DATA_DIR SCRIPT LOG [MODE]: the event log's lines into LOG, the
# sound trace into $work/trace.txt, stderr into $work/stderr.
play() {
  rm -f "$work/mix.wav" "$work/trace.txt"
  XDG_CONFIG_HOME="$work/config" ALSOFT_DRIVERS=$1 ZARNOTH_SOUND_TRACE="$work/trace.txt" \
    "$zarnoth" --data "$2" "--${5:-play}" "$3" >"$work/output" 2>"$work/stderr" ||
    fail "the play of $(basename "$3") with the $1 driver failed"
  grep -E '^[0-9]+ (level|fell|died|switch|exit|message|end)( |$)' "$work/output" >"$4" || true
}

# Level 1 with its world silenced: no bed, no blade, switch or lattice.
game="$work/game"
mkdir -p "$game"
for dir in levels models texturen sounds; do cp -r "$source_dir/data/$dir" "$game/"; done
printf 'ambient none\no 0 none\no 1 none\nt 0 none\n' >"$game/levels/sound1.txt"
ini "" "$game"
play wave "$game" "$script" "$work/player.log"
[ -s "$work/mix.wav" ] || fail "the wave driver wrote no mix"
grep -q '^zarnoth: ' "$work/stderr" && fail "the game said something of its own on stderr"
python3 "$check_mix" player "$work/mix.wav" "$work/trace.txt" "$work/player.log" "$script" || fail "the player's mix is wrong"

# The test's levels (sound/levels.bash): 1 a blade turning 2.5 units left of
# the start, 2 the start on spikes, 3 the start in water; nothing else heard.
. "$source_dir/tests/e2e/sound/levels.bash"
levels="$work/levels"
write_sound_levels "$source_dir" "$levels"
ini $'Sound=1\nVolume=100\n' "$levels"
play wave "$levels" "$world" "$work/world.log"
grep -q '^zarnoth: ' "$work/stderr" && fail "the game said something of its own on stderr"
python3 "$check_mix" world "$work/mix.wav" "$work/trace.txt" "$work/world.log" "$world" || fail "the world's mix is wrong"

# The settings keys turn it off: sounds start, nothing is heard.
short="$work/short.txt"
printf 'frametime 0.015625\nwait 0.25\ntap space\nhold up 1.5\n' >"$short"
for setting in 'Sound=0' 'Volume=0'; do
  ini "$setting"$'\n' "$game"
  play wave "$game" "$short" "$work/short.log"
  python3 "$check_mix" silent "$work/mix.wav" "$work/trace.txt" || fail "$setting is not silent"
done

# The same event log without sound: the null driver (and a bad sound value,
# which keeps the default), no device at all, broken sound files, no sounds.
same_log() {  # WHAT DRIVER DATA_DIR PATTERN...: stderr's lines match the patterns, one each
  local what=$1 driver=$2 data=$3 pattern
  shift 3
  play "$driver" "$data" "$script" "$work/other.log" timedemo
  diff -u "$work/player.log" "$work/other.log" || fail "the event log differs $what"
  [ "$(grep -c '^zarnoth: ' "$work/stderr")" = $# ] || fail "$what, stderr should have $# line(s)"
  for pattern in "$@"; do
    grep -qE "^zarnoth: $pattern" "$work/stderr" || fail "$what, no line on stderr like: $pattern"
  done
}
ini $'Sound=yes\n' "$game"
same_log "with the null driver" null "$game" 'zarnoth.ini: Sound=yes: not 1 \(on\) or 0 \(off\); sound stays on$'
ini "" "$game"
same_log "without a device" none-such "$game" 'no audio device, playing without sound$'
head -c 300 /dev/urandom >"$game/sounds/step.wav"
rm "$game/sounds/fall.wav"
same_log "with broken sound files" null "$game" 'sound left out: sounds/step.wav: ' 'sound left out: sounds/fall.wav: '
rm -r "$game/sounds"
same_log "without a sounds folder" null "$game" 'no sounds folder in the data directory, playing without sound$'
echo "ok: heard at their frames, placed, silenced by \"t\" and the settings; the same log without sound"
