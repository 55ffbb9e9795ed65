#!/usr/bin/env bash
# The content check of tools/make_content.py (zarnoth-check, the game's own
# readers) must refuse content the game could not load or play. Each case
# breaks one thing in a fresh copy of the generated content (the committed
# data/, which content_up_to_date.sh proves to be the generator's output) and
# expects the check to fail with the right reason.
# Usage: content_check_rejects_faults.sh <zarnoth binary> <source dir>
set -euo pipefail
src="$2"
generator="$src/tools/make_content.py"
export ZARNOTH_CHECK="$(cd "$(dirname "$1")" && pwd)/zarnoth-check"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/good"
cp -r "$src/data/levels" "$src/data/models" "$src/data/texturen" "$work/good/"

failures=0

# expect_rejected <description> <expected message part> <file> <python expression on text>
expect_rejected() {
  local what=$1 expected=$2 file=$3 edit=$4
  rm -rf "$work/bad"
  cp -r "$work/good" "$work/bad"
  python3 - "$work/bad/$file" "$edit" <<'PY'
import sys
path, edit = sys.argv[1], sys.argv[2]
with open(path, "rb") as f:
    data = f.read()
text = data.decode("latin-1")
text = eval(edit, {"text": text})
with open(path, "wb") as f:
    f.write(text.encode("latin-1"))
PY
  local output
  if output=$(python3 "$generator" --check "$work/bad" 2>&1); then
    echo "FAIL: $what was accepted"
    failures=$((failures + 1))
  elif [[ "$output" != *"$expected"* ]]; then
    echo "FAIL: $what was refused for another reason: $output"
    failures=$((failures + 1))
  else
    echo "ok: $what"
  fi
}

expect_rejected "normal index out of range" "normal indices below the mesh's normal count" models/level1.txt \
  'text.replace(" 0 0 0 1\n", " 0 0 99 1\n", 1)'
expect_rejected "vertex index out of range" "vertex indices below the mesh's vertex count" models/rammbock.txt \
  'text.replace("\n0 0 3 2 ", "\n0 0 3 999 ", 1)'
expect_rejected "triangle wound against its normal" "wound against its normal" models/level1.txt \
  'text.replace("\n0 0 2 1 0 0 0 1\n", "\n0 0 1 2 0 0 0 1\n", 1)'
expect_rejected "parent bone after its child" "comes before its parent" models/tarnel.txt \
  'text.replace("\"spine\"\n\"pelvis\"", "\"spine\"\n\"head\"", 1)'
expect_rejected "rotation keys out of time order" "are not in time order" models/klinge.txt \
  'text.replace("2\n1 0 0 0\n31 ", "2\n31 0 0 0\n1 ", 1)'
expect_rejected "abyss without bounding box" "has no \"BoundingBox\" mesh" models/abgrund.txt \
  'text.replace("Meshes: 1", "Meshes: 0", 1)'
expect_rejected "block cut off at the end of the file" "the file ends inside the" levels/level2.cfg \
  '"\n".join(text.rstrip("\n").split("\n")[:-3]) + "\n"'
expect_rejected "lattice axis y" "the block axis x or z" levels/level1.cfg \
  'text.replace("z -1\nUp=", "y -1\nUp=", 1)'
expect_rejected "missing model file" "cannot be opened (the game shows \"Fehler\")" levels/level3.cfg \
  'text.replace("stacheln.txt", "fehlt.txt", 1)'
expect_rejected "object larger than the collision range" "units from its position" levels/level1.cfg \
  'text.replace("Translation=3 0 -41.5\nRTranslation=0 0 0\nRotation=0 0 0\nScaling=1 1 1", "Translation=3 0 -41.5\nRTranslation=0 0 0\nRotation=0 0 0\nScaling=5 5 5", 1)'
expect_rejected "switch link out of range" "a position below" levels/action1.txt \
  'text.replace("num 1\n0", "num 1\n3", 1)'
expect_rejected "link from an object that is no switch" "is not a switch" levels/action1.txt \
  'text.replace("o 0", "o 1", 1)'
expect_rejected "wall line with a letter other than x or z" "the block axis x or z after the four coordinates" levels/levelformat2.txt \
  'text.replace(" x 1 0", " y 1 0", 1)'
expect_rejected "level without exit" "the level has no exit" levels/levelformat3.txt \
  'text.replace(" z 1 1\n", " z 1 0\n", 1)'
expect_rejected "texture side not a power of two" "sides that are not powers of two" texturen/stein.tga \
  'text[:12] + "\x30\x00" + text[14:]'
expect_rejected "24-bit texture" "not an uncompressed 32-bit" texturen/wasser.tga \
  'text[:16] + "\x18" + text[17:]'

if [ "$failures" -ne 0 ]; then
  echo "$failures fault(s) not caught by the content check"
  exit 1
fi
