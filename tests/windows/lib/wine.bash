# Runs Windows programs under Wine for the Windows tests. Source it, then call
# wine_test_start (or wine_prepare) once. Every test gets a Wine prefix of its
# own, copied from a template that is made once and kept in the cache of
# scripts/build-windows.sh.
# Programs run under `timeout`, with Wine's crash dialog off, so that a crash
# ends the test instead of waiting. Wine plays sound through ALSA (winealsa,
# chosen in each prefix: a PulseAudio server would otherwise take it), and
# every test gets an ALSA device that plays nothing, as the Linux tests get
# OpenAL's null driver: the game runs its DirectSound output throughout.
wine_cache="${ZARNOTH_WIN_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/zarnoth-win64}"
export WINEDEBUG=-all
export WINEARCH=win64

# wine_test_start: the start of a test script: a work directory ($work) and a
# Wine prefix of its own (wine_prepare), both removed when the script exits.
wine_test_start() {
  work=$(mktemp -d)
  trap 'wine_cleanup; rm -rf "$work"' EXIT
  wine_prepare
}

# fail MESSAGE: ends the test, with what the game wrote to $work/stderr.
fail() {
  echo "FAIL: $*"
  cat "$work/stderr" 2>/dev/null
  exit 1
}

wine_prepare() {  # makes $WINEPREFIX, removed by wine_cleanup
  local template="$wine_cache/wine-template"
  if [ ! -f "$template/.ready" ]; then
    rm -rf "$template"
    mkdir -p "$wine_cache"
    WINEPREFIX="$template" timeout 180 wineboot --init >/dev/null 2>&1
    WINEPREFIX="$template" timeout 60 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog \
      /t REG_DWORD /d 0 /f >/dev/null 2>&1
    WINEPREFIX="$template" timeout 60 wineserver -w
    touch "$template/.ready"
  fi
  WINEPREFIX=$(mktemp -d)
  export WINEPREFIX
  cp -a "$template/." "$WINEPREFIX/"
  printf '\n[Software\\\\Wine\\\\Drivers] 0\n"Audio"="alsa"\n' >>"$WINEPREFIX/user.reg"
  wine_audio null
}

# wine_audio null|none|WAV_FILE: ALSA's default device for the programs Wine
# starts from now on: one that plays nothing; one that cannot open (no audio
# device); or one that writes what it plays into WAV_FILE, 16-bit stereo, as
# fast as Wine mixes it (ALSA's null device keeps no time). The system's ALSA
# configuration stays loaded; this file only overrides its default.
wine_audio() {
  local config="$WINEPREFIX/alsa.conf"
  case $1 in
    null) echo 'pcm.!default { type null }' ;;
    none) echo 'pcm.!default { type hw; card 99 }' ;;
    *) printf 'pcm.!default { type plug; slave { pcm { type file; slave.pcm "null"; file "%s"; format "wav" }; format S16_LE } }\n' "$1" ;;
  esac >"$config"
  export ALSA_CONFIG_PATH="/usr/share/alsa/alsa.conf:$config"
}

wine_cleanup() {
  [ -n "${WINEPREFIX:-}" ] || return 0
  timeout 30 wineserver -k 2>/dev/null
  timeout 30 wineserver -w 2>/dev/null
  rm -rf "$WINEPREFIX"
  unset WINEPREFIX
}

# wine_run SECONDS PROGRAM ARGS...: the program's exit status; 124 on timeout.
wine_run() {
  local seconds=$1
  shift
  timeout "$seconds" wine "$@"
}

# wine_game_launcher WINDOWS_BUILD_DIR: prints the path of a new script that
# runs zarnoth.exe under Wine, for the Linux end-to-end helpers
# (tests/e2e/lib/game.bash) to start in place of the Linux game.
wine_game_launcher() {
  local launcher
  launcher=$(mktemp)
  printf '#!/bin/sh\nexec wine "%s" "$@"\n' "$1/zarnoth.exe" >"$launcher"
  chmod +x "$launcher"
  echo "$launcher"
}
