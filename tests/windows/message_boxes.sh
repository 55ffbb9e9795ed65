#!/usr/bin/env bash
# The Windows game's messages are MessageBoxA boxes, X windows under Wine named
# by their caption: a missing zarnoth.ini shows its box before the game window
# opens and Return lets the game go on; refused settings show their box and
# Return ends the game.
# Usage: message_boxes.sh WINDOWS_BUILD_DIR [SOURCE_DIR]
# Run it on an X server of its own with a window manager: scripts/with-xvfb.sh --wm.
set -uo pipefail
windows_build=$(cd "$1" && pwd)
source_dir=$(cd "${2:-$(dirname "$0")/../..}" && pwd)
. "$(dirname "$0")/lib/wine.bash"
[ -f "$windows_build/zarnoth.exe" ] || { echo "needs the Windows build" >&2; exit 77; }

work=$(mktemp -d)
game_pid=""
trap '[ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null; wine_cleanup; rm -rf "$work"' EXIT
wine_prepare
unset ZARNOTH_MESSAGES

window_id() { xdotool search --all --onlyvisible --name "^$1\$" 2>/dev/null | head -n1; }
wait_for_window() {  # TITLE: its id, or nothing after 60 s or when the game has ended
  local i id
  for i in $(seq 1 600); do
    id=$(window_id "$1")
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    kill -0 "$game_pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}
answer() {  # TITLE: one press of Return, once that box has the keyboard focus
  local box="" i
  for i in $(seq 1 50); do
    box=$(window_id "$1")
    [ -n "$box" ] || fail "the box $1 went away by itself"
    xdotool windowactivate --sync "$box" 2>/dev/null || xdotool windowfocus "$box" 2>/dev/null || true
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$box" ] && break
    sleep 0.1
  done
  xdotool key Return
}
wait_for_end() {  # the game's exit status, 124 when it is still running after 30 s
  local i
  for i in $(seq 1 300); do
    kill -0 "$game_pid" 2>/dev/null || { wait "$game_pid"; return $?; }
    sleep 0.1
  done
  return 124
}
start_game() {  # DATA_DIR
  timeout 120 wine "$windows_build/zarnoth.exe" --data "$1" >"$work/stdout" 2>"$work/stderr" &
  game_pid=$!
}
game_data() {  # DIR ZARNOTH_INI_OR_NOTHING: a copy of the game data
  mkdir -p "$1"
  cp -r "$source_dir/data/levels" "$source_dir/data/models" "$source_dir/data/texturen" "$1/"
  [ -z "$2" ] || printf '%s\n' "$2" >"$1/zarnoth.ini"
}

# A missing settings file: the box first, then the game with its fallback settings.
game_data "$work/missing" ""
start_game "$work/missing"
wait_for_window Fehler >/dev/null || fail "no box for the missing zarnoth.ini"
sleep 0.5
[ -z "$(window_id Zarnoth)" ] || fail "the game window opened before the box was answered"
answer Fehler
game=$(wait_for_window Zarnoth) || fail "no game window after the box"
tr -d '\r' <"$work/stderr" | grep -qx "Fehler: zarnoth.ini kann nicht gelesen werden. Standardsettings werden erstellt." \
  || fail "the message is not on stderr"
xdotool windowactivate --sync "$game" 2>/dev/null || true
xdotool key --window "$game" Escape
wait_for_end
status=$?
[ "$status" = 0 ] || fail "Escape ended the game with status $status"
echo "ok missing zarnoth.ini: box, Return, game, Escape"

# Refused settings: the box, and Return ends the game without a game window.
game_data "$work/refused" "Resolution=0x0"
start_game "$work/refused"
wait_for_window Fehler >/dev/null || fail "no box for refused settings"
answer Fehler
wait_for_end
status=$?
[ "$status" = 0 ] || fail "the game ended with status $status after the box"
tr -d '\r' <"$work/stderr" | grep -qx "Fehler: Geladene Einstellungen ungültig." || fail "the message is not on stderr"
echo "ok refused settings: box, Return, end"
