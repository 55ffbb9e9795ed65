#!/usr/bin/env bash
# Timedemo figures of the shipped levels on the software renderer, each run
# beside the ceiling of an empty frame (cleared, status line, swapped) at the
# same size. Usage: bench/timedemo.sh [zarnoth binary] (default build-release/zarnoth)
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
zarnoth=$(realpath "${1:-$src/build-release/zarnoth}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The shipped content, and an empty game: level files without objects or
# walls and no player model, so that a frame only clears, writes the status
# line and swaps.
cp -r "$src/data/levels" "$src/data/models" "$src/data/texturen" "$src/data/sounds" "$work/"
# Sound through OpenAL Soft's null device (the sounds read, placed and
# started as on a real one, mixed into nothing), unless the caller says
# otherwise; ZARNOTH_BENCH_NO_SOUND=1 also times the loads without a device.
export ALSOFT_DRIVERS="${ALSOFT_DRIVERS:-null}"
mkdir -p "$work/empty/levels"
for n in 1 2 3; do
  : >"$work/empty/levels/level$n.cfg"; echo 0 >"$work/empty/levels/levelformat$n.txt"; : >"$work/empty/levels/action$n.txt"
done

for size in 640x480 1920x1080; do
  for dir in "$work" "$work/empty"; do
    printf 'Resolution=%s\nColorDepth=24\nRefreshRate=60\nGameMode=0\n' "$size" >"$dir/zarnoth.ini"
  done
  for n in 1 2 3; do
    echo "== level $n at $size"
    "$zarnoth" --data "$work" --level "$n" --timedemo "$src/data/demos/walkthrough$n.txt" | grep -Ev '^[0-9]+ [a-z]+( |$)'
    echo "== ceiling at $size, same frames"
    "$zarnoth" --data "$work/empty" --level "$n" --timedemo "$src/data/demos/walkthrough$n.txt" \
      | grep -E ' frames, | ms per frame'
  done
done
printf 'Resolution=640x480\nColorDepth=24\nRefreshRate=60\nGameMode=0\n' >"$work/zarnoth.ini"
for n in 1 2 3; do
  echo "== level $n loads at 640x480: with mip-maps, then without and with in turn"
  "$zarnoth" --data "$work" --level "$n" --timedemo "$src/bench/timedemo/loads.txt" | grep ' load: '
  if [ "${ZARNOTH_BENCH_NO_SOUND:-0}" = 1 ]; then
    echo "== level $n loads at 640x480 without an audio device, the same"
    ALSOFT_DRIVERS=none "$zarnoth" --data "$work" --level "$n" --timedemo "$src/bench/timedemo/loads.txt" \
      2>/dev/null | grep ' load: '
  fi
  # The level's own death script three times over: a death by its danger, then
  # the level again from its start.
  cat "$src/tests/e2e/scripts/level$n.txt" "$src/tests/e2e/scripts/level$n.txt" "$src/tests/e2e/scripts/level$n.txt" \
    >"$work/deaths.txt"
  echo "== level $n deaths at 640x480"
  "$zarnoth" --data "$work" --level "$n" --timedemo "$work/deaths.txt" 2>/dev/null | grep 'death to next frame' || true
done
