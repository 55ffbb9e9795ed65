#!/usr/bin/env bash
# Formats every C++ file of the project with clang-format and the house style
# in .clang-format. With --check it changes nothing and fails when a file
# would change.
# Usage: format.sh [--check]
set -euo pipefail
cd "$(dirname "$0")/.."
# The C++ sources; a tree without git (an unpacked archive) is searched instead.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' \
    'fuzz/*.cpp' 'fuzz/*.h')
else
  mapfile -t files < <(find src tests bench fuzz -path fuzz/corpus -prune -o \( -name '*.cpp' -o -name '*.h' \) -print | sort)
fi
if [ "${1:-}" = "--check" ]; then
  exec clang-format --dry-run --Werror "${files[@]}"
fi
clang-format -i "${files[@]}"
