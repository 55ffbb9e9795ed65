#!/usr/bin/env bash
# Takes the screenshots of docs/: each level's walkthrough played up to an
# interesting point, its last frame saved with --shot at 800x600; then the
# level banner, the pause notice and the list of keys over a level.
# Usage: tools/screenshots.sh [zarnoth binary]   (default build-release/zarnoth)
# Without an X display it runs itself on a private virtual X server.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
zarnoth=$(realpath "${1:-$root/build-release/zarnoth}")
if [ -z "${DISPLAY:-}" ]; then exec "$root/scripts/with-xvfb.sh" "$0" "$zarnoth"; fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$root/data/levels" "$root/data/models" "$root/data/texturen" "$work/"
printf 'Resolution=800x600\nColorDepth=32\nRefreshRate=60\nGameMode=0\n' >"$work/zarnoth.ini"

# level, the walkthrough line after which the picture is taken
while read -r level stop; do
  line=$(grep -n -m1 -- "$stop" "$root/data/demos/walkthrough$level.txt" | cut -d: -f1)
  head -n "$line" "$root/data/demos/walkthrough$level.txt" >"$work/cut.txt"
  "$zarnoth" --data "$work" --level "$level" --timedemo "$work/cut.txt" --shot "$root/docs/level$level.png" >/dev/null
  echo "docs/level$level.png"
done <<'POINTS'
1 before the pit$
2 before the rams
3 to x 4$
POINTS

# name, level, the script's lines (frames at the walkthroughs' frame time)
shoot() {
  printf 'frametime 0.015625\n%b' "$3" >"$work/cut.txt"
  "$zarnoth" --data "$work" --level "$2" --timedemo "$work/cut.txt" --shot "$root/docs/$1.png" >/dev/null
  echo "docs/$1.png"
}
shoot banner 2 'hold up 1\n'
shoot paused 3 'hold up 1.5\ntap p\ntap h\nwait 0.25\n'
