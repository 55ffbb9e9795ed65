#!/usr/bin/env bash
# Runs a command under a private headless Xorg with the dummy video driver
# (scripts/xorg-dummy.conf: 1280x1024, with 800x600 and 640x480 on offer),
# which unlike Xvfb can do full screen (GLUT game mode), and stops the server
# afterwards, whatever happens. The server picks a free display number. Needs
# root, as Xorg does without a seat manager.
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
dir=$(mktemp -d)
Xorg -displayfd 3 -noreset -nolisten tcp -config "$here/xorg-dummy.conf" -logfile "$dir/xorg.log" \
  3>"$dir/display" >"$dir/xorg.out" 2>&1 &
xorg_pid=$!
cleanup() { kill "$xorg_pid" 2>/dev/null; wait "$xorg_pid" 2>/dev/null; rm -rf "$dir"; }
trap cleanup EXIT INT TERM
. "$here/lib/x-display.bash"
wait_for_display Xorg "$xorg_pid" "$dir/display" "$dir/xorg.out" 150
"$@"
