#!/usr/bin/env bash
# The Windows game under Wine on a desktop with a window manager: a death's
# MessageBoxA box takes the release of a key held into it (Windows sends the
# key-up to the box), so the game must let go of its held keys after the box.
# Twice: walk into a blade holding Up, let go while the box has the focus,
# answer with one Return; no further death may follow. Then a minimised game
# sleeps instead of spinning. The Linux scripts' helpers drive it, with Wine
# in place of the Linux binary.
# Usage: death_box.sh WINDOWS_BUILD_DIR [SOURCE_DIR]
set -uo pipefail
windows_build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "${2:-$here/../..}" && pwd)
. "$here/lib/wine.bash"
[ -f "$windows_build/zarnoth.exe" ] || { echo "needs the Windows build" >&2; exit 77; }
wine_prepare
launcher=$(wine_game_launcher "$windows_build")
. "$source_dir/tests/e2e/lib/game.bash" "$launcher" "$source_dir"
trap 'cleanup; wine_cleanup; rm -f "$launcher"' EXIT

make_blade_level 1
unset ZARNOTH_MESSAGES
start_game
game=$(wait_for_window Zarnoth 60) || fail "no Zarnoth window"
# Wine maps the window before it takes the focus and keys: wait until it has.
sleep 1
focus_window "$game"
wait_for_focus "$game" || fail "the game window did not get the keyboard focus"
for round in 1 2; do die_once_holding_up; done

# Minimised, the game waits for events (after half a second to notice).
xdotool windowminimize --sync "$game" || fail "could not minimise the game"
sleep 0.5
ticks() { awk '{ print $14 + $15 }' "/proc/$game_pid/stat"; }
start=$(ticks)
sleep 2
used=$(($(ticks) - start))
hz=$(getconf CLK_TCK)
echo "minimised: $used clock ticks in 2 seconds"
[ "$used" -lt $((hz / 5)) ] || fail "minimised, the game used $used of $((hz * 2)) clock ticks"
echo "ok"
