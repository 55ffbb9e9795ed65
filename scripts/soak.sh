#!/usr/bin/env bash
# Soak run (not part of CI): scripts/soak.sh [SECONDS] [WALKTHROUGH]
# Plays a walkthrough of the three levels again and again, in real time, in one
# game process for SECONDS (600 by default) on a private virtual X server.
# WALKTHROUGH is an input script from level 1 round to level 1 again (by
# default the bundled demo if it is a script, else tests/e2e/scripts/level1-3).
# After every pass the player switches levels with F2 and F1 and toggles
# mip-mapping ("m", which reloads the level), and every second pass
# optimisation ("o"). At every level load it notes the resident memory of the
# process and the live OpenGL texture names and display lists, counted at the
# API by the preload library scripts/gl_census.c. Writes build-release/soak.tsv
# (one row per level load) and prints the figures at the end of every pass.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-600}"
build=build-release

if [ -z "${SOAK_ON_XVFB:-}" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DZARNOTH_TESTS=OFF >/dev/null
  cmake --build "$build" --target zarnoth -j 2 >/dev/null
  cc -shared -fPIC -O2 -Wall -Wextra -o "$build/gl_census.so" scripts/gl_census.c -ldl
  SOAK_ON_XVFB=1 exec scripts/with-xvfb.sh "$0" "$@"
fi

walkthrough="${2:-}"
if [ -z "$walkthrough" ]; then
  for demo in data/demos/*; do
    [ -f "$demo" ] && [ "$(head -n1 "$demo")" != "zarnoth-demo 1" ] && walkthrough=$demo && break
  done
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ -z "$walkthrough" ]; then
  walkthrough="$work/walkthrough.txt"
  cat tests/e2e/scripts/level1.txt tests/e2e/scripts/level2.txt tests/e2e/scripts/level3.txt >"$walkthrough"
fi

# A pass plays about 45 seconds: twice as many as SECONDS needs; the run is
# stopped by time.
{
  for pass in $(seq 1 $((seconds / 20 + 4))); do
    echo "# pass $pass"
    cat "$walkthrough"
    # Half a second after each load, so the figures are read before the next one.
    printf '\ntap f2\nwait 0.5\ntap f2\nwait 0.5\ntap f1\nwait 0.5\ntap f1\nwait 0.5\ntap m\nwait 0.5\n'
    [ $((pass % 2)) -eq 1 ] || printf 'tap o\nwait 0.5\n'
  done
} >"$work/soak.txt"

export ZARNOTH_GL_CENSUS="$work/census"
# Its exits would otherwise count as the progress of whoever runs it.
export XDG_DATA_HOME="$work/user-data"
mkfifo "$work/events"
LD_PRELOAD="$PWD/$build/gl_census.so" "$build/zarnoth" --data data --play "$work/soak.txt" --events \
  >"$work/events" 2>"$work/stderr" &
game=$!
(sleep "$seconds"; kill "$game") >/dev/null 2>&1 &
timer=$!

table="$build/soak.tsv"
printf 'seconds\tframe\tevent\tpass\trss_kb\ttextures\tlists\n' >"$table"
echo "pass  seconds  rss_kb  textures  lists   (at the end of each pass: level 1 reloaded by m)"
start=$(date +%s)
pass=1
previous=""
while read -r frame word value _; do
  event="$word $value"
  if [ "$word" = level ]; then
    rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$game/status" 2>/dev/null || echo "?")
    textures="?"; lists="?"
    [ -s "$ZARNOTH_GL_CENSUS" ] && read -r _ textures _ lists <"$ZARNOTH_GL_CENSUS"
    now=$(($(date +%s) - start))
    printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$now" "$frame" "$event" "$pass" "$rss" "$textures" "$lists" >>"$table"
    # F1 brings level 1 back, then "m" loads it again: two loads in a row end a pass.
    if [ "$event" = "level 1" ] && [ "$previous" = "level 1" ]; then
      printf '%4d  %7d  %6s  %8s  %5s\n' "$pass" "$now" "$rss" "$textures" "$lists"
      pass=$((pass + 1))
    fi
  fi
  previous=$event
done <"$work/events"
wait "$game" 2>/dev/null || true
kill "$timer" 2>/dev/null || true
if grep -v '^Game Over: ' "$work/stderr" | grep -q .; then
  echo "the game's stderr, besides its death messages:"; grep -v '^Game Over: ' "$work/stderr"
fi
echo "soak: $(($(date +%s) - start)) s, $((pass - 1)) passes, $(($(wc -l <"$table") - 1)) level loads; every load in $table"
