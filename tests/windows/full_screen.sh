#!/usr/bin/env bash
# The Windows game's full screen under Wine on Xorg with the dummy driver:
# freeglut's game mode switches the screen to 800x600 (ChangeDisplaySettings,
# which Wine carries out with XRandR), the game covers it with its status line
# shown, and Esc ends the game with the old mode back; then the same under a
# window manager. Wine offers 32-bit modes, not 24-bit ones.
# Usage: scripts/with-xorg.sh full_screen.sh WINDOWS_BUILD_DIR [SOURCE_DIR]
set -uo pipefail
windows_build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "${2:-$here/../..}" && pwd)
[ "$(id -u)" = 0 ] || { echo "skipped: Xorg needs root"; exit 77; }
. "$here/lib/wine.bash"
[ -f "$windows_build/zarnoth.exe" ] || { echo "needs the Windows build" >&2; exit 77; }
wine_prepare
launcher=$(wine_game_launcher "$windows_build")
. "$source_dir/tests/e2e/lib/game.bash" "$launcher" "$source_dir"
trap 'cleanup; wine_cleanup; rm -f "$launcher"' EXIT
make_blade_level 1
. "$source_dir/tests/e2e/lib/full_screen.bash"
printf 'Resolution=800x600\nColorDepth=32\nRefreshRate=60\nGameMode=1\n' >"$work/zarnoth.ini"
unset ZARNOTH_MESSAGES

start_full_screen
quit_full_screen
"$source_dir/scripts/start-openbox.sh" "$work/wm" || fail "openbox did not start"
wm_pid=$(cat "$work/wm/openbox.pid")
trap 'kill "$wm_pid" 2>/dev/null; cleanup; wine_cleanup; rm -f "$launcher"' EXIT
start_full_screen
quit_full_screen
echo "ok"
