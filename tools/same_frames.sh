#!/usr/bin/env bash
# Compares two builds of the game frame by frame along the walkthroughs: each
# walkthrough cut after each of its lines and played as a timedemo, the last
# frame saved with --shot by both, the pictures compared row for row without
# the status line's band (its fps figure differs), and the event logs of the
# walkthroughs, the tour and the scripts of tests/e2e/scripts compared line
# for line. Prints one line per difference and a summary; exit status 1 when
# anything differs.
# Usage: tools/same_frames.sh BASELINE_ZARNOTH ZARNOTH [WIDTHxHEIGHT]
# LEVELS="1 2 3" and STEP=1 (every STEP-th cut) choose the pictures.
# Without an X display it runs itself on a private virtual X server.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
base=$(realpath "$1")
new=$(realpath "$2")
size=${3:-640x480}
if [ -z "${DISPLAY:-}" ]; then exec "$root/scripts/with-xvfb.sh" "$0" "$base" "$new" "$size"; fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$root/data/levels" "$root/data/models" "$root/data/texturen" "$work/"
printf 'Resolution=%s\nColorDepth=32\nRefreshRate=60\nGameMode=0\n' "$size" >"$work/zarnoth.ini"
height=${size#*x}
width=${size%x*}
band=30  # the status line's band at the bottom
differences=0 pictures=0

for level in ${LEVELS:-1 2 3}; do
  script="$root/data/demos/walkthrough$level.txt"
  lines=$(wc -l <"$script")
  for ((cut = ${STEP:-1}; cut <= lines; cut += ${STEP:-1})); do
    head -n "$cut" "$script" >"$work/cut.txt"
    for build in base new; do
      "${!build}" --data "$work" --level "$level" --timedemo "$work/cut.txt" --shot "$work/$build.png" >/dev/null 2>&1
      convert "$work/$build.png" -crop "${width}x$((height - band))+0+0" +repage "$work/$build.rgb"
    done
    pictures=$((pictures + 1))
    if ! cmp -s "$work/base.rgb" "$work/new.rgb"; then
      echo "walkthrough$level, first $cut lines: the last frames differ"
      differences=$((differences + 1))
    fi
  done
done

for script in "$root"/data/demos/*.txt "$root"/tests/e2e/scripts/*.txt; do
  level=$(sed -nE 's/^# level: ([0-9]+).*/\1/p' "$script" | head -n1)
  for build in base new; do
    "${!build}" --data "$work" --level "${level:-1}" --timedemo "$script" 2>/dev/null |
      grep -E '^[0-9]+ [a-z]+( |$)' >"$work/$build.log" || true
  done
  if ! cmp -s "$work/base.log" "$work/new.log"; then
    echo "$(basename "$script"): the event logs differ"
    differences=$((differences + 1))
  fi
done
echo "$pictures pictures at $size and $(ls "$root"/data/demos/*.txt "$root"/tests/e2e/scripts/*.txt | wc -l) event logs compared: $differences differ"
[ "$differences" = 0 ]
