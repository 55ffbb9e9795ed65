#!/usr/bin/env bash
# The player heard through OpenAL Soft's wave driver, which mixes into a WAV
# file in real time: on level 1, footfalls only while walking and on the walk
# animation's beat, silence while standing, the fall's sound at its frame
# (tests/e2e/sound/check_mix.py). Also plays the same script with the null
# driver and with no usable driver: the event log is the same every time,
# and without a device the game says so in one line of its own.
. "$(dirname "$0")/lib/game.bash"
copy_game_data
printf 'Resolution=64x48\nColorDepth=32\nRefreshRate=60\nGameMode=0\n' >"$work/zarnoth.ini"
script="$source_dir/tests/e2e/sound/walk_stand_fall.txt"
export GALLIUM_NOOP=1

# The wave driver reads its file name from alsoft.conf under $XDG_CONFIG_HOME.
mkdir -p "$work/config"
printf '[wave]\nfile=%s\n' "$work/mix.wav" >"$work/config/alsoft.conf"

play() {  # play DRIVER LOG
  XDG_CONFIG_HOME="$work/config" ALSOFT_DRIVERS=$1 "$zarnoth" --data "$work" --play "$script" \
    >"$work/output" 2>"$work/stderr" || fail "the play with the $1 driver failed"
  grep -E '^[0-9]+ (level|fell|died|switch|exit|message|end)( |$)' "$work/output" >"$2" || true
}

play wave "$work/wave.log"
[ -s "$work/mix.wav" ] || fail "the wave driver wrote no mix"
grep -q 'sound' "$work/stderr" && fail "a sound was left out: $(cat "$work/stderr")"
python3 "$source_dir/tests/e2e/sound/check_mix.py" "$work/mix.wav" "$work/wave.log" || fail "the mix is wrong"

play null "$work/null.log"
diff -u "$work/wave.log" "$work/null.log" || fail "the event log differs with the null driver"

# No usable driver at all: no device opens.
play none-such "$work/none.log"
diff -u "$work/wave.log" "$work/none.log" || fail "the event log differs without a device"
[ "$(grep -c '^zarnoth: ' "$work/stderr")" = 1 ] && grep -q '^zarnoth: no audio device' "$work/stderr" ||
  fail "without a device the game should say so in one line"
echo "ok: footfalls while walking, silence while standing, the fall at its frame; the same log without sound"
