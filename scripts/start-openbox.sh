#!/usr/bin/env bash
# Starts openbox on $DISPLAY and waits until it manages the screen; writes its
# process id to DIR/openbox.pid and its output to DIR/openbox.log.
set -uo pipefail
dir=$1
# A home of its own: openbox writes its session files there.
mkdir -p "$dir/home"
HOME="$dir/home" openbox --sm-disable >"$dir/openbox.log" 2>&1 &
echo $! >"$dir/openbox.pid"
for _ in $(seq 1 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && exit 0
  kill -0 "$(cat "$dir/openbox.pid")" 2>/dev/null || break
  sleep 0.1
done
cat "$dir/openbox.log" >&2
echo "openbox did not start" >&2
exit 1
