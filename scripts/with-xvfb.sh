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
for _ in $(seq 1 100); do
  [ -s "$dir/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || { cat "$dir/xvfb.log" >&2; echo "Xvfb did not start" >&2; exit 1; }
  sleep 0.1
done
[ -s "$dir/display" ] || { echo "Xvfb did not start in time" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$dir/display")"
if [ "$wm" = 1 ]; then
  "$(dirname "${BASH_SOURCE[0]}")/start-openbox.sh" "$dir" || exit 1
  wm_pid=$(cat "$dir/openbox.pid")
fi
"$@"
