# Shared by the end-to-end scripts: sourced with the game binary and the
# source directory as $1 and $2. Every script gets its own working directory
# and stops what it started, since the scripts share one X server.
set -euo pipefail
zarnoth=$1
source_dir=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/zarnoth-e2e-XXXXXX")
game_pid=""
# The game keeps everything until the process ends, by design, and the GL
# driver it unloads at exit leaves allocations no suppression can name: leaks
# are checked by the unit tests, not at the end of the whole game.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

stop_game() {
  if [ -n "$game_pid" ]; then
    kill "$game_pid" 2>/dev/null || true
    wait "$game_pid" 2>/dev/null || true
    game_pid=""
  fi
}
cleanup() { stop_game; rm -rf "$work"; }
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -f "$work/stderr" ] && { echo "--- game stderr:" >&2; cat "$work/stderr" >&2; }
  exit 1
}

# The game's content (levels, models, textures), where the repository has it.
copy_game_data() {
  local dir
  for dir in levels models texturen; do
    if [ -d "$source_dir/data/$dir" ]; then cp -r "$source_dir/data/$dir" "$work/"; fi
  done
}

# Starts the game in $work; its stdout and stderr go to files there.
start_game() {
  (cd "$work" && exec "$zarnoth") >"$work/stdout" 2>"$work/stderr" &
  game_pid=$!
}

# Prints the id of the game's window with exactly this title, waiting up to
# $2 seconds (default 30); fails when the game ends or the time is up.
wait_for_window() {
  local title=$1 seconds=${2:-30} id i
  for i in $(seq 1 $((seconds * 10))); do
    id=$(xdotool search --all --onlyvisible --pid "$game_pid" --name "^${title}\$" 2>/dev/null | head -n1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    kill -0 "$game_pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

window_exists() {
  [ -n "$(xdotool search --all --pid "$game_pid" --name "^$1\$" 2>/dev/null || true)" ]
}
