#!/usr/bin/env bash
# The Windows game's DirectSound output, heard under Wine through an ALSA
# device that writes it to a WAV file (wine_audio), on the Linux sound test's
# own levels (tests/e2e/sound/levels.bash) and checked by its checker
# (tests/e2e/sound/check_mix.py "placed": ALSA's file runs ahead of real time,
# so the frames are found in the mix itself, and nothing is timed):
# - world.txt: the blade 2.5 units to the left is louder on the left, and near
#   than far; silent while paused and heard again after;
# - Sound=0 in zarnoth.ini: sounds start, nothing is heard;
# - no audio device: world.txt gives the same event log, after one line on
#   stderr, and the game plays on.
# Usage: sound.sh WINDOWS_BUILD_DIR [SOURCE_DIR]
# Run it on an X server with a window manager: scripts/with-xvfb.sh --wm.
set -uo pipefail
windows_build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "${2:-$here/../..}" && pwd)
. "$here/lib/wine.bash"
. "$source_dir/tests/e2e/sound/levels.bash"
[ -f "$windows_build/zarnoth.exe" ] || { echo "needs the Windows build" >&2; exit 77; }
world="$source_dir/tests/e2e/sound/world.txt"
check_mix="$source_dir/tests/e2e/sound/check_mix.py"

wine_test_start
export GALLIUM_NOOP=1 ZARNOTH_MESSAGES=stderr XDG_DATA_HOME="$work/user-data"
levels="$work/levels"
write_sound_levels "$source_dir" "$levels"
ini() { printf 'Resolution=64x48\nColorDepth=32\nRefreshRate=60\nGameMode=0\n%s' "$1" >"$levels/zarnoth.ini"; }

# play DEVICE SCRIPT LOG [MODE]: the event log into LOG, the sound trace into
# $work/trace.txt, stderr into $work/stderr; DEVICE as wine_audio takes it.
play() {
  rm -f "$work/mix.wav" "$work/trace.txt"
  wine_audio "$1"
  ZARNOTH_SOUND_TRACE="$work/trace.txt" wine_run 120 "$windows_build/zarnoth.exe" --data "$levels" \
    "--${4:-play}" "$2" >"$work/output" 2>"$work/stderr" || fail "the play of $(basename "$2") ended with status $?"
  tr -d '\r' <"$work/output" | grep -E '^[0-9]+ (level|fell|died|switch|exit|message|end)( |$)' >"$3"
  tr -d '\r' <"$work/stderr" | grep '^zarnoth: ' >"$work/said" || true
}

ini $'Sound=1\nVolume=100\n'
play "$work/mix.wav" "$world" "$work/world.log"
[ -s "$work/mix.wav" ] || fail "ALSA wrote no mix"
[ -s "$work/said" ] && fail "the game said something of its own on stderr"
python3 "$check_mix" placed "$work/mix.wav" "$work/trace.txt" "$work/world.log" "$world" || fail "the mix is wrong"

printf 'frametime 0.015625\nwait 0.25\ntap space\nwait 1\n' >"$work/short.txt"
ini $'Sound=0\n'
play "$work/mix.wav" "$work/short.txt" "$work/short.log"
python3 "$check_mix" silent "$work/mix.wav" "$work/trace.txt" || fail "Sound=0 is not silent"

ini $'Sound=1\nVolume=100\n'
play none "$world" "$work/none.log" timedemo
diff -u "$work/world.log" "$work/none.log" || fail "the event log differs without an audio device"
grep -q ' end ' "$work/none.log" || fail "the play without an audio device did not reach its end"
[ "$(cat "$work/said")" = "zarnoth: no audio device, playing without sound" ] ||
  fail "without an audio device, stderr should say so in one line"
echo "ok: placed on the left, near and far, paused; silent with Sound=0; the same log without a device"
