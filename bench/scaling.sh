#!/usr/bin/env bash
# bench_scaling of a baseline build and of this one, alternately, five times
# each in one run (the machine is shared: alternating keeps both under the
# same load), then the median CPU time of each benchmark per build.
# Usage: bench/scaling.sh BASELINE_BENCH_SCALING [BENCH_SCALING] (default build-release/bench/bench_scaling)
# FILTER=REGEX runs only the benchmarks it matches. Run from the source tree;
# without an X display on a private virtual X server.
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
base=$(realpath "$1")
new=$(realpath "${2:-$src/build-release/bench/bench_scaling}")
if [ -z "${DISPLAY:-}" ]; then exec "$src/scripts/with-xvfb.sh" "$0" "$base" "$new"; fi
cd "$src"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for run in 1 2 3 4 5; do
  for build in base new; do
    "${!build}" --benchmark_min_time=0.05 --benchmark_format=csv ${FILTER:+--benchmark_filter=$FILTER} 2>/dev/null |
      awk -F, -v b="$build" '/^"BM_/ { gsub(/"/, "", $1); print b, $1, $4 }' >>"$work/all"
  done
done
echo "benchmark baseline_us after_us (CPU time per iteration, medians of 5)"
for name in $(awk '{ print $2 }' "$work/all" | sort -u -V); do
  m() { awk -v b="$1" -v n="$name" '$1 == b && $2 == n { print $3 }' "$work/all" | sort -g |
    awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
  echo "$name $(m base) $(m new)"
done
