# Sourced by the scripts that start a private X server with -displayfd.
# wait_for_display NAME PID FILE LOG TENTHS: waits up to TENTHS tenths of a
# second for the server PID to write its display number into FILE, then
# exports DISPLAY. A server that dies first has its LOG shown; either failure
# ends the calling script with status 1.
wait_for_display() {
  local name=$1 pid=$2 file=$3 log=$4 tenths=$5
  for _ in $(seq 1 "$tenths"); do
    [ -s "$file" ] && break
    kill -0 "$pid" 2>/dev/null || { cat "$log" >&2; echo "$name did not start" >&2; exit 1; }
    sleep 0.1
  done
  [ -s "$file" ] || { echo "$name did not start in time" >&2; exit 1; }
  DISPLAY=":$(head -n1 "$file")"
  export DISPLAY
}
