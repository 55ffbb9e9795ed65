#!/usr/bin/env bash
# zarnoth-check.exe under Wine reports exactly what the Linux checker reports,
# line for line and with the same exit status, for every hostile file of the
# checker's fuzz corpus (levels, level formats, actions, models, settings,
# textures, scripts), each placed in the small data directory the fuzz target
# builds around it, and for the shipped data. A crash (any other status than
# 0, 1 or 2) fails at once. The programs read every file in binary mode, so
# carriage returns and Ctrl-Z bytes read the same on both.
# Usage: checker_same_report.sh WINDOWS_BUILD_DIR LINUX_CHECKER [SOURCE_DIR]
set -uo pipefail
windows_build=$(cd "$1" && pwd)
linux_checker=$(realpath "$2")
source_dir=$(cd "${3:-$(dirname "$0")/../..}" && pwd)
. "$(dirname "$0")/lib/wine.bash"
[ -x "$linux_checker" ] && [ -f "$windows_build/zarnoth-check.exe" ] || { echo "needs both checkers" >&2; exit 77; }

work=$(mktemp -d)
trap 'wine_cleanup; rm -rf "$work"' EXIT
wine_prepare
# Keeps the Wine server up between the many short runs.
wineserver -p 60

# One directory per corpus input, as fuzz/fuzz_check.cpp lays it out: the
# input's first byte chooses the file it replaces.
python3 - "$source_dir/fuzz/corpus/fuzz_check" "$work/cases" <<'PY'
import os, sys
corpus, out = sys.argv[1], sys.argv[2]
model = ("Frames: 2\nMeshes: 2\n\"M\" 0 0\n3\n0 0 0 0 0 0 -1\n0 1 0 0 1 0 0\n0 0 1 0 0 1 -1\n1\n0 0 1\n1\n"
         "0 0 1 2 0 0 0 1\n\"BoundingBox\" 0 -1\n3\n0 0 0 0 0 0 -1\n0 1 0 0 0 0 -1\n0 0 1 0 0 0 -1\n0\n1\n"
         "0 0 1 2 0 0 0 1\nMaterials: 1\n\"S\"\n0 0 0 1\n1 1 1 1\n0 0 0 1\n0 0 0 1\n0\n1\n\"texturen/s.tga\"\n\"\"\n"
         "Bones: 1\n\"b\"\n\"\"\n0 0 0 0 0 0 0\n1\n1 0 0 0\n1\n1 0 0 0\n")
objects = ("Level\nm.txt\nstatic=yes\nTranslation=0 0 0\nRTranslation=0 0 0\nRotation=0 0 0\nScaling=1 1 1\n0\n0\n"
           "AbyssObject\nm.txt\nstatic=yes\nTranslation=1 0 -3\nRTranslation=0 0 0\nRotation=0 90 0\nScaling=1 1 1\n0\n0\n"
           "SwitchObject\n-0.1\n2\nTranslation=0 0 -2\nRTranslation=0 0 0\nRotation=0 0 0\nScaling=1 1 1\n0\n0\n"
           "LatticeObject\nz 1\nUp=1\nTranslation=0 0 -4\nRTranslation=0 0 0\nRotation=0 0 0\nScaling=1 1 1\n0\n0\n")
tga = bytes([0, 0, 2] + [0] * 9 + [2, 0, 2, 0, 32, 0]) + bytes([9] * 16)
base = {"levels/level1.cfg": objects.encode(), "levels/levelformat1.txt": b"2\n-3 1 3 1 z 1 0\n-3 -9 3 -9 z -1 2\n",
        "levels/action1.txt": b"o 1\nnum 0\nnum 1\n0\n", "models/m.txt": model.encode(),
        "zarnoth.ini": b"Resolution=640x480\n", "texturen/s.tga": tga, "demos/route.txt": b"hold up 1\n"}
names = ["levels/level1.cfg", "levels/levelformat1.txt", "levels/action1.txt", "models/m.txt", "zarnoth.ini",
         "texturen/s.tga", "demos/route.txt"]
for number, entry in enumerate(sorted(os.listdir(corpus))):
    data = open(os.path.join(corpus, entry), "rb").read()
    if not data:
        continue
    files = dict(base)
    files[names[data[0] % len(names)]] = data[1:]
    for name, content in files.items():
        path = os.path.join(out, "%03d" % number, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        open(path, "wb").write(content)
PY
cp -r "$source_dir/data" "$work/cases/shipped"

failures=0
cases=0
for dir in "$work"/cases/*/; do
  cases=$((cases + 1))
  (cd "$dir" && "$linux_checker") >"$work/linux.txt" 2>&1
  linux_status=$?
  # Into a file, not a pipe: Wine's own background processes inherit it.
  (cd "$dir" && wine_run 60 "$windows_build/zarnoth-check.exe") >"$work/windows.raw" 2>&1
  windows_status=$?
  tr -d '\r' <"$work/windows.raw" >"$work/windows.txt"
  case "$windows_status" in
    0 | 1 | 2) ;;
    *)
      echo "FAIL $(basename "$dir"): zarnoth-check.exe ended with status $windows_status"
      failures=$((failures + 1))
      continue
      ;;
  esac
  # sscanf's %d on a number beyond an int is undefined, and the two C
  # libraries differ there (glibc wraps it, mingw-w64 caps it): for such files
  # the exit status must agree, the lines may name other numbers.
  if [ "$linux_status" = "$windows_status" ] && grep -rqE '[0-9]{10,}' "$dir"levels "$dir"models; then
    continue
  fi
  if [ "$linux_status" != "$windows_status" ] || ! cmp -s "$work/linux.txt" "$work/windows.txt"; then
    echo "FAIL $(basename "$dir"): exit status $linux_status on Linux, $windows_status under Wine"
    diff "$work/linux.txt" "$work/windows.txt" | head -n 10
    failures=$((failures + 1))
  fi
done
echo "$cases data directories, $failures differing"
[ "$failures" = 0 ]
