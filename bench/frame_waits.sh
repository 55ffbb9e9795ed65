#!/usr/bin/env bash
# Whether the walkthroughs' slowest frames are the game's or the machine's: each
# walkthrough played RUNS times (default 4) at SIZE (default 640x480) with
# ZARNOTH_FRAME_WAITS, which adds to every frame of play the time its threads
# stood ready without a processor and the time the host stole. A frame counts
# as disturbed with READY_MS (default 3) of that or any stolen tick; frames
# wait about 0.4 ms on average. Per walkthrough: the frames over LIMIT (default
# 2.5) times their level's median (the median of walkthrough N's frames of
# level N in the same run, as bench/frames.sh), how many of them were disturbed,
# and the worst frame of all and of the undisturbed ones.
# Usage: bench/frame_waits.sh [ZARNOTH] (default build-release/zarnoth); KEEP=DIR keeps
# the frame files (frames-LEVEL-RUN: ms, level, ready ms, stolen ms per line).
# Linux only. Without an X display it runs itself on a private virtual X server.
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
game=$(realpath "${1:-$src/build-release/zarnoth}")
if [ -z "${DISPLAY:-}" ]; then
  ZARNOTH_XVFB_SCREEN=1920x1080x24 exec "$src/scripts/with-xvfb.sh" "$0" "$game"
fi
. "$src/bench/lib/walkthroughs.bash"
walkthroughs_work
printf 'Resolution=%s\nColorDepth=24\nRefreshRate=60\nGameMode=0\nSound=0\n' "${SIZE:-640x480}" >"$work/zarnoth.ini"
runs=${RUNS:-4}
for ((run = 1; run <= runs; ++run)); do
  for n in 1 2 3; do
    ZARNOTH_FRAME_WAITS=1 ZARNOTH_FRAME_TIMES="$work/frames-$n-$run" \
      "$game" --data "$work" --level "$n" --timedemo "$src/data/demos/walkthrough$n.txt" >/dev/null 2>&1
  done
done

echo "size ${SIZE:-640x480}, $runs runs, limit ${LIMIT:-2.5}x the level's median, disturbed: ${READY_MS:-3} ms ready or a stolen tick"
for n in 1 2 3; do
  for ((run = 1; run <= runs; ++run)); do
    level_medians "$work/frames-" "-$run" | cat - "$work/frames-$n-$run" |
      awk -v limit="${LIMIT:-2.5}" -v ready="${READY_MS:-3}" '
        $1 == "median" { m[$2] = $3; next }
        m[$2] > 0 {
          r = $1 / m[$2]; disturbed = $3 >= ready || $4 > 0
          frames++; if (r > worst) worst = r
          if (!disturbed && r > calm) calm = r
          if (r > limit) { over++; if (disturbed) overDisturbed++ }
        }
        END { printf "%d %d %d %.3f %.3f\n", frames, over, overDisturbed, worst, calm }'
  done >"$work/summary-$n"
  awk -v n="$n" '{ f += $1; o += $2; d += $3; if ($4 > w) w = $4; if ($5 > c) c = $5 }
    END { printf "walkthrough %d: %d frames of play; over the limit %d, disturbed %d; worst %.2fx, worst undisturbed %.2fx", n, f, o, d, w, c }' "$work/summary-$n"
  echo " (medians of the runs: worst $(awk '{ print $4 }' "$work/summary-$n" | median)x, undisturbed $(awk '{ print $5 }' "$work/summary-$n" | median)x)"
done
