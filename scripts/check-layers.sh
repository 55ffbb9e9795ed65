#!/usr/bin/env bash
# The source folders form layers, and includes run only downward:
#   check            the level authors' checker, built on everything below
#   app              the application shell: start-up, command line, frames
#   game             input, camera, movement, collision pass, death
#   level            the level files and the scene they build
#   scene            scene objects, models, placement
#   surfaces         textures and GL names
#   platform, sound, collision   the bottom: the OS, OpenAL, and the collision library
# A program's main.cpp is its entry, outside the library, and may wire any
# of them together. Prints every include that runs upward; exits 1 if any.
# Usage: check-layers.sh [SOURCE_DIR]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}/src"
rank() {
  case $1 in
    platform | sound | collision) echo 0 ;;
    surfaces) echo 1 ;;
    scene) echo 2 ;;
    level) echo 3 ;;
    game) echo 4 ;;
    app) echo 5 ;;
    check) echo 6 ;;
    *) echo 99 ;;
  esac
}
status=0
while IFS= read -r file; do
  [ "$(basename "$file")" = main.cpp ] && continue
  from=${file%%/*}
  while IFS= read -r included; do
    to=${included%%/*}
    [ "$to" = "$from" ] && continue
    # The bottom layers stand alone: none includes another.
    if [ "$(rank "$to")" -ge "$(rank "$from")" ] || [ "$(rank "$from")" = 0 ]; then
      echo "$file includes $included: $to is not below $from"
      status=1
    fi
  done < <(sed -n 's/^#include "\([a-z]*\/[^"]*\)".*/\1/p' "$file")
done < <(find . -name '*.cpp' -o -name '*.h' | sed 's|^\./||' | sort)
exit $status
