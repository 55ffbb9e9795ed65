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
# Plays keep the player's progress: in the test's own directory, never in the
# user's.
export XDG_DATA_HOME="$work/user-data"

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
  for dir in levels models texturen sounds; do
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

# Runs this script again on an X server of its own, away from the windows and
# keys of the tests that share the suite's server: `own_display` for Xvfb,
# `own_display --wm` for Xvfb with openbox, `own_display --xorg` for Xorg with
# the dummy driver, which can do full screen. Call it before anything else.
own_display() {
  if [ -z "${ZARNOTH_OWN_DISPLAY:-}" ]; then
    rm -rf "$work"
    trap - EXIT
    local runner=("$source_dir/scripts/with-xvfb.sh" "$@")
    [ "${1:-}" = "--xorg" ] && runner=("$source_dir/scripts/with-xorg.sh")
    ZARNOTH_OWN_DISPLAY=1 exec "${runner[@]}" bash "$0" "$zarnoth" "$source_dir"
  fi
}

# Gives a window the keyboard focus, through the window manager where one runs.
focus_window() {
  xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1" 2>/dev/null || true
}

# Runs COMMAND... every tenth of a second until it succeeds, for up to $1
# seconds; the status is the last run's.
wait_until() {
  local seconds=$1 i
  shift
  for ((i = 1; i < seconds * 10; i++)); do
    "$@" && return 0
    sleep 0.1
  done
  "$@"
}

# True when this window has the keyboard focus.
has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

# Waits up to $2 seconds (default 10) until window $1 has the keyboard focus.
wait_for_focus() { wait_until "${2:-10}" has_focus "$1"; }

# Waits up to $2 seconds (default 10) until no window of the game has this title.
wait_until_closed() {
  local title=$1 seconds=${2:-10} i
  for i in $(seq 1 $((seconds * 10))); do
    window_exists "$title" || return 0
    sleep 0.1
  done
  return 1
}

# Presses Esc and waits up to ten seconds for the game to end; fails unless
# it ends with status 0.
quit_with_escape() {
  local status=0
  xdotool key Escape
  for _ in $(seq 1 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
  wait "$game_pid" || status=$?
  game_pid=""
  [ "$status" = 0 ] || fail "exit status $status after Esc"
}

deaths() { grep -c "You are dead!" "$work/stderr" || true; }

# A level 1 with a deadly blade five units ahead of the start, between two
# walls, and windowed settings; the models and textures come from data/.
make_blade_level() {
  local n=${1:-1}
  mkdir -p "$work/levels"
  cp -r "$source_dir/data/models" "$source_dir/data/texturen" "$source_dir/data/sounds" "$work/"
  cat >"$work/levels/level$n.cfg" <<'LEVEL'
Level
level1.txt
static=yes
Translation=0 0 0
RTranslation=0 0 0
Rotation=0 0 0
Scaling=1 1 1
0
0

DeathObject
klinge.txt
static=yes
animated=no
Startframe=0
Translation=0 0 -5
RTranslation=0 0 0
Rotation=0 0 0
Scaling=1 1 1
fps=0
0
LEVEL
  printf '2\n-2 2 -2 -22 x -1 0\n2 2 2 -22 x 1 0\n' >"$work/levels/levelformat$n.txt"
  : >"$work/levels/action$n.txt"
  printf 'Resolution=640x480\nColorDepth=32\nRefreshRate=60\nGameMode=0\n' >"$work/zarnoth.ini"
}

# Watches for $1 seconds that no death box opens; false as soon as one does.
no_death_box_for() { ! wait_for_window "Game Over" "$1" >/dev/null; }

# Walks into the blade holding Up, lets go once the death box has the
# keyboard focus (the release is the box's; the game never sees it) and
# answers the box with one Return to whichever window has the focus. Fails
# unless the box closes and exactly one more death is counted.
die_once_holding_up() {
  local before box
  before=$(deaths)
  xdotool keydown Up
  box=$(wait_for_window "Game Over" 10) || { xdotool keyup Up; fail "no death box after $before death(s)"; }
  wait_for_focus "$box" || { xdotool keyup Up; fail "the death box did not take the keyboard focus"; }
  if [ -n "${check_box_on_top:-}" ]; then
    wait_until 5 box_on_top "$box" || { xdotool keyup Up; fail "the death box is not on top"; }
  fi
  xdotool keyup Up
  xdotool key Return
  wait_until_closed "Game Over" || fail "one Return did not close the death box"
  # A player walking on would reach the blade again, and die, within two
  # seconds: none may in three.
  no_death_box_for 3 || fail "a death box without Up held, after $((before + 1)) walks into the blade"
  [ "$(deaths)" = $((before + 1)) ] || fail "$(deaths) deaths after $((before + 1)) walks into the blade"
}

# True when the box's own grey shows on the screen just inside its top-left
# corner: nothing (the full-screen game, say) covers it.
box_on_top() {
  local X Y WIDTH HEIGHT SCREEN WINDOW colour
  eval "$(xdotool getwindowgeometry --shell "$1")"
  import -window root "$work/top.png" 2>/dev/null || return 1
  colour=$(convert "$work/top.png" -format "%[pixel:p{$((X + 4)),$((Y + 4))}]" info:)
  case "$colour" in srgb\(216,216,216\)|"#D8D8D8"*|gray\(216\)|grey\(216\)) return 0 ;; esac
  echo "pixel inside the box: $colour" >&2
  return 1
}
