#!/usr/bin/env bash
# zarnoth-check.exe under Wine reports exactly what the Linux checker reports,
# line for line and with the same exit status, and never crashes, on:
# - the directories of CheckerTest's table, when given (CASES_DIR, written by
#   test_check with ZARNOTH_KEEP_CHECKER_CASES);
# - each input of the checker's own fuzz corpus, in the small data directory
#   fuzz/fuzz_check.cpp builds around it (its first byte chooses the file it
#   replaces: level, level format, action, model, settings, texture, script);
# - with ZARNOTH_WINDOWS_ALL_CORPORA=1, also each input of the readers' fuzz
#   corpora (levels, level formats, actions, names, models, textures,
#   settings: about 730 more, three minutes), as the file it was found for;
# - the shipped data.
# Each Wine run costs about 0.15 s of start-up, hence the choice. The programs
# read every file in binary mode, so carriage returns and Ctrl-Z bytes read
# the same.
# Usage: checker_same_report.sh WINDOWS_BUILD_DIR LINUX_CHECKER [SOURCE_DIR [CASES_DIR]]
set -uo pipefail
windows_build=$(cd "$1" && pwd)
linux_checker=$(realpath "$2")
source_dir=$(cd "${3:-$(dirname "$0")/../..}" && pwd)
table_cases=${4:-}
. "$(dirname "$0")/lib/wine.bash"
[ -x "$linux_checker" ] && [ -f "$windows_build/zarnoth-check.exe" ] || { echo "needs both checkers" >&2; exit 77; }

wine_test_start
# Keeps the Wine server up between the many short runs.
wineserver -p 60

# One directory per corpus input, as fuzz/fuzz_check.cpp lays it out: the
# input's first byte chooses the file it replaces.
python3 - "$source_dir/fuzz/corpus" "$work/cases" "${ZARNOTH_WINDOWS_ALL_CORPORA:-0}" <<'PY'
import os, sys
corpora, out, all_corpora = sys.argv[1], sys.argv[2], sys.argv[3] == "1"
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
# Each reader's corpus, as the file that reader reads.
readers = {"fuzz_object_file": "levels/level1.cfg", "fuzz_level_format": "levels/levelformat1.txt",
           "fuzz_action_file": "levels/action1.txt", "fuzz_level_name": "levels/name1.txt",
           "fuzz_model": "models/m.txt", "fuzz_tga": "texturen/s.tga", "fuzz_settings": "zarnoth.ini"}

def write_case(case, replaced, content):
    files = dict(base)
    files[replaced] = content
    for name, data in files.items():
        path = os.path.join(out, case, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        open(path, "wb").write(data)

for target in ["fuzz_check"] + (sorted(readers) if all_corpora else []):
    corpus = os.path.join(corpora, target)
    for number, entry in enumerate(sorted(os.listdir(corpus))):
        data = open(os.path.join(corpus, entry), "rb").read()
        case = "%s-%03d" % (target[5:], number)
        if target != "fuzz_check":
            write_case(case, readers[target], data)
        elif data:
            write_case(case, names[data[0] % len(names)], data[1:])
PY
cp -r "$source_dir/data" "$work/cases/shipped"
if [ -n "$table_cases" ]; then
  for dir in "$table_cases"/*/; do cp -r "$dir" "$work/cases/table-$(basename "$dir")"; done
fi

# compare_one DIR: prints nothing when both checkers agree, else what differs.
compare_one() {
  local dir=$1 out
  out=$(mktemp -d)
  (cd "$dir" && "$linux_checker") >"$out/linux.txt" 2>&1
  local linux_status=$?
  # Into a file, not a pipe: Wine's own background processes inherit it.
  (cd "$dir" && wine_run 60 "$windows_build/zarnoth-check.exe") >"$out/windows.raw" 2>&1
  local windows_status=$?
  # Now and then Wine fails to start the program, ending with status 1 and no
  # output (seen once in some thousands of runs here). The checker never does
  # that: a failing checker always says why. Such a run is tried once more.
  if [ "$windows_status" != 0 ] && [ ! -s "$out/windows.raw" ]; then
    (cd "$dir" && wine_run 60 "$windows_build/zarnoth-check.exe") >"$out/windows.raw" 2>&1
    windows_status=$?
  fi
  tr -d '\r' <"$out/windows.raw" >"$out/windows.txt"
  case "$windows_status" in
    0 | 1 | 2)
      if [ "$linux_status" != "$windows_status" ] || ! cmp -s "$out/linux.txt" "$out/windows.txt"; then
        echo "FAIL $(basename "$dir"): exit status $linux_status on Linux, $windows_status under Wine"
        diff "$out/linux.txt" "$out/windows.txt" | head -n 10
      fi
      ;;
    *) echo "FAIL $(basename "$dir"): zarnoth-check.exe ended with status $windows_status" ;;
  esac
  rm -rf "$out"
}
export -f compare_one wine_run
export linux_checker windows_build
# Two at a time: most of each run is Wine starting the program.
find "$work/cases" -mindepth 1 -maxdepth 1 -type d -print0 |
  xargs -0 -P "${ZARNOTH_JOBS:-$(nproc)}" -n 1 bash -c 'compare_one "$1"' _ >"$work/failures.txt"
cases=$(find "$work/cases" -mindepth 1 -maxdepth 1 -type d | wc -l)
failures=$(grep -c '^FAIL' "$work/failures.txt")
cat "$work/failures.txt"
echo "$cases data directories, $failures differing"
[ "$failures" = 0 ]
