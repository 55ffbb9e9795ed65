#!/usr/bin/env bash
# The committed data/ must be exactly what tools/make_content.py writes, and
# must pass its check (zarnoth-check, the game's own readers). This is the
# suite's one proof that the shipped data is clean.
# Usage: content_up_to_date.sh <zarnoth binary> <source dir>
set -euo pipefail
src="$2"
export ZARNOTH_CHECK="$(cd "$(dirname "$1")" && pwd)/zarnoth-check"
generator="$src/tools/make_content.py"
data="$src/data"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if ! python3 "$generator" --quiet --out "$work"; then
  echo "FAIL: tools/make_content.py failed or its output does not pass zarnoth-check"
  exit 1
fi

status=0
# Every generated file must be committed unchanged.
while IFS= read -r -d '' file; do
  rel=${file#"$work"/}
  if [ ! -f "$data/$rel" ]; then
    echo "FAIL: data/$rel is missing (the generator writes it)"
    status=1
  elif ! cmp -s "$file" "$data/$rel"; then
    echo "FAIL: data/$rel differs from what the generator writes"
    status=1
  fi
done < <(find "$work" -type f -print0 | sort -z)

# Every content file in data/ must come from the generator; the settings file
# is written by hand, the bundled demo is an input script and the log is
# written by the game.
while IFS= read -r -d '' file; do
  rel=${file#"$data"/}
  case "$rel" in
    zarnoth.ini|zarnoth.log|demos/*) continue ;;
  esac
  if [ ! -f "$work/$rel" ]; then
    echo "FAIL: data/$rel is not written by the generator (stale file?)"
    status=1
  fi
done < <(find "$data" -type f -print0 | sort -z)

if ! python3 "$generator" --quiet --check "$data"; then
  echo "FAIL: the committed data/ does not pass the content check"
  status=1
fi

if [ "$status" -ne 0 ]; then
  echo "Regenerate with: python3 tools/make_content.py   (then commit data/)"
  exit 1
fi
echo "data/ is up to date with tools/make_content.py"
