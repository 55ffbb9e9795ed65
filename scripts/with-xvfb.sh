#!/usr/bin/env bash
# Runs a command under a private virtual X server (1280x1024x24, or the size
# in ZARNOTH_XVFB_SCREEN, e.g. 1920x1080x24) and stops the server afterwards,
# whatever happens. The server picks a free display number.
# With --wm, openbox runs on it as the window manager, as on a player's desktop.
set -uo pipefail
wm=0
if [ "${1:-}" = "--wm" ]; then wm=1; shift; fi
dir=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 "${ZARNOTH_XVFB_SCREEN:-1280x1024x24}" -nolisten tcp -noreset 3>"$dir/display" 2>"$dir/xvfb.log" &
xvfb_pid=$!
wm_pid=""
cleanup() {
  [ -n "$wm_pid" ] && { kill "$wm_pid" 2>/dev/null; wait "$wm_pid" 2>/dev/null; }
  kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; rm -rf "$dir"
}
trap cleanup EXIT INT TERM
. "$(dirname "${BASH_SOURCE[0]}")/lib/x-display.bash"
wait_for_display Xvfb "$xvfb_pid" "$dir/display" "$dir/xvfb.log" 100
if [ "$wm" = 1 ]; then
  "$(dirname "${BASH_SOURCE[0]}")/start-openbox.sh" "$dir" || exit 1
  wm_pid=$(cat "$dir/openbox.pid")
fi
"$@"
