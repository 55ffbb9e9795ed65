#!/usr/bin/env bash
# The walkthroughs' frames side by side with a baseline build, at 640x480 and
# 1920x1080: both builds played alternately, five times each, in one run (the
# machine is shared: alternating keeps both under the same load), then the
# medians of the five. Also the fill limit at both sizes, and the CPU time of
# a minute of ordinary play of level 1 at 640x480, uncapped and at MaxFps=60.
# Usage: bench/frames.sh BASELINE_ZARNOTH [ZARNOTH] (default build-release/zarnoth)
# RUNS=5, SIZES="640x480 1920x1080" and MINUTE=1 (the CPU time of a minute) choose what is measured;
# KEEP=DIR keeps the frame files there (frames-BUILD-SIZE-LEVEL-RUN: a frame's ms and level per line).
# Without an X display it runs itself on a private virtual X server of 1920x1080.
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
base=$(realpath "$1")
new=$(realpath "${2:-$src/build-release/zarnoth}")
fill="$(dirname "$new")/bench/fill_limit"
if [ -z "${DISPLAY:-}" ]; then
  ZARNOTH_XVFB_SCREEN=1920x1080x24 exec "$src/scripts/with-xvfb.sh" "$0" "$base" "$new"
fi
. "$src/bench/lib/walkthroughs.bash"
walkthroughs_work
runs=${RUNS:-5}

for size in ${SIZES:-640x480 1920x1080}; do
  printf 'Resolution=%s\nColorDepth=24\nRefreshRate=60\nGameMode=0\n' "$size" >"$work/zarnoth.ini"
  for ((run = 1; run <= runs; ++run)); do
    for n in 1 2 3; do
      for build in base new; do
        ZARNOTH_FRAME_TIMES="$work/frames-$build-$size-$n-$run" \
          "${!build}" --data "$work" --level "$n" --timedemo "$src/data/demos/walkthrough$n.txt" 2>/dev/null |
          grep -vE '^[0-9]+ [a-z]+( |$)' >"$work/$build-$size-$n-$run"
      done
    done
    "$fill" "${size%x*}" "${size#*x}" 200 | sed -E 's/.*median ([0-9.]+) ms.*/\1/' >"$work/fill-$size-$run"
  done
  fill_ms=$(cat "$work"/fill-"$size"-* | median)
  echo "== $size: fill limit $fill_ms ms (median of $runs)"
  echo "level build frames avg_ms min_fps 1%low_fps play_worst_ms play_1%low_fps loads_median_ms loads_worst_ms avg/fill worst/avg level_median_ms worst/level_median"
  for n in 1 2 3; do
    for build in base new; do
      files=("$work/$build-$size-$n-"*)
      field() { for f in "${files[@]}"; do sed -nE "$1" "$f"; done | median; }
      frames=$(field 's/^([0-9]+) frames, .*/\1/p')
      avg=$(field 's/^([0-9]+) frames, ([0-9.]+) seconds.*/\2 \1/p' | awk '{ print $1 }')
      avg=$(for f in "${files[@]}"; do sed -nE 's/^([0-9]+) frames, ([0-9.]+) seconds.*/\2 \1/p' "$f"; done |
        awk '{ print 1000 * $1 / $2 }' | median)
      min=$(field 's/.*\(min ([0-9.]+),.*/\1/p')
      low=$(field 's/.*1% low ([0-9.]+)\)$/\1/p')
      if grep -q '^play: ' "${files[0]}"; then
        worst=$(field 's/^play: .*worst ([0-9.]+) ms; loads.*/\1/p')
        plow=$(field 's/^play: .*1% low ([0-9.]+) fps.*/\1/p')
        lmed=$(field 's/.*loads: [0-9]+, median ([0-9.]+) ms.*/\1/p')
        lworst=$(field 's/.*loads: .*worst ([0-9.]+) ms$/\1/p')
        ratio=$(awk -v w="$worst" -v a="$avg" 'BEGIN { printf "%.2f", w / a }')
      else
        worst=- plow=- lmed=- lworst=- ratio=-
      fi
      # The median frame of level N is that of its frames in walkthrough N.
      # Each frame of play of a run (a walkthrough ends on the next level) is
      # set against its level's median frame of the same run; the worst of
      # those, then the median over the runs.
      if [ -s "$work/frames-$build-$size-$n-1" ]; then
        mframe=$(for ((r = 1; r <= runs; ++r)); do
          awk -v n="$n" '$2 == n { print $1 }' "$work/frames-$build-$size-$n-$r" | median
        done | median)
        mratio=$(for ((r = 1; r <= runs; ++r)); do
          level_medians "$work/frames-$build-$size-" "-$r" | cat - "$work/frames-$build-$size-$n-$r" |
            awk '$1 == "median" { m[$2] = $3; next } m[$2] > 0 && $1 / m[$2] > worst { worst = $1 / m[$2] }
                 END { printf "%.3f\n", worst }'
        done | median)
      else
        mframe=- mratio=-  # a baseline without the frames of play
      fi
      loads=$(for f in "${files[@]}"; do sed -nE 's/^level [0-9] load: ([0-9.]+) ms/\1/p' "$f" | head -n1; done | median)
      echo "$n $build $frames $avg $min $low $worst $plow $lmed $lworst $(awk -v a="$avg" -v f="$fill_ms" 'BEGIN { printf "%.2f", a / f }') $ratio $mframe $mratio (start-up load $loads ms)"
    done
  done
done

# A minute of ordinary play of level 1, standing at the start: the process's
# CPU time (the game and the driver's threads), uncapped and at MaxFps=60.
[ "${MINUTE:-1}" = 1 ] || exit 0
for cap in 0 60; do
  printf 'Resolution=640x480\nColorDepth=24\nRefreshRate=60\nGameMode=0\nMaxFps=%s\n' "$cap" >"$work/zarnoth.ini"
  for build in base new; do
    [ "$build" = base ] && [ "$cap" != 0 ] && continue
    /usr/bin/time -f "%U %S" -o "$work/time" timeout 60 "${!build}" --data "$work" >/dev/null 2>&1 || true
    echo "a minute of level 1, $build, MaxFps=$cap: $(tail -n1 "$work/time" | awk '{ printf "user %.1f s, system %.1f s, together %.1f s of CPU", $1, $2, $1 + $2 }')"
  done
done
