#!/usr/bin/env bash
# The zip and the installer of scripts/build-windows.sh under Wine: unzipped
# anywhere, the game plays a walkthrough from its own directory; the installer
# installs silently with a Start menu entry and an uninstaller, the installed
# game plays the same walkthrough to the same log, and the silent uninstall
# leaves neither a file, the entry, nor the registry key behind.
# Usage: packages.sh WINDOWS_BUILD_DIR
# Run it on an X server: scripts/with-xvfb.sh --wm.
set -uo pipefail
windows_build=$(cd "$1" && pwd)
. "$(dirname "$0")/lib/wine.bash"
zip=$(ls "$windows_build"/zarnoth-*-win64.zip 2>/dev/null | head -n1)
setup=$(ls "$windows_build"/zarnoth-*-win64-setup.exe 2>/dev/null | head -n1)
[ -n "$zip" ] && [ -n "$setup" ] || { echo "needs the zip and the installer" >&2; exit 77; }

wine_test_start
export ZARNOTH_MESSAGES=stderr GALLIUM_NOOP=1

# DIR: plays its walkthrough of level 1 from DIR, as a double click would start it.
play_in() {
  (cd "$1" && wine_run 300 ./zarnoth.exe --events --timedemo demos/walkthrough1.txt) >"$work/stdout" 2>"$work/stderr" \
    || fail "the game in $1 ended with status $?"
  [ ! -s "$work/stderr" ] || fail "the game in $1 wrote to stderr"
  tr -d '\r' <"$work/stdout" | grep -E '^[0-9]+ (level|switch|exit|end) ' >"$work/log.$2"
  grep -q '^[0-9]* exit 2$' "$work/log.$2" || fail "the walkthrough in $1 did not reach the exit"
}

mkdir "$work/unzipped"
(cd "$work/unzipped" && cmake -E tar xf "$zip") || fail "the zip does not unpack"
unzipped=$(ls -d "$work"/unzipped/zarnoth-*-win64)
for file in zarnoth.exe zarnoth-check.exe zarnoth.ini README.txt levels/level1.cfg models/tarnel.txt demos/tour.txt; do
  [ -f "$unzipped/$file" ] || fail "the zip has no $file"
done
play_in "$unzipped" zip
(cd "$unzipped" && wine_run 60 ./zarnoth-check.exe) >/dev/null 2>&1 || fail "zarnoth-check finds problems in the zip's data"
echo "ok zip: $(tail -n1 "$work/log.zip")"

drive_c="$WINEPREFIX/drive_c"
installed="$drive_c/Program Files/Zarnoth"
entry="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Zarnoth.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zarnoth'
wine_run 120 "$setup" /S || fail "the installer ended with status $?"
[ -f "$installed/zarnoth.exe" ] && [ -f "$installed/uninstall.exe" ] || fail "nothing installed in Program Files"
[ -f "$entry" ] || fail "no Start menu entry"
wine_run 60 reg query "$key" /v UninstallString >/dev/null 2>&1 || fail "no uninstall key in the registry"
play_in "$installed" installed
cmp -s "$work/log.zip" "$work/log.installed" || fail "the installed game plays another log than the zip's"
echo "ok installed: Program Files, Start menu entry, uninstall key, same log"

# The uninstaller copies itself away and returns at once: poll for its work.
wine_run 60 "$installed/uninstall.exe" /S || fail "the uninstaller ended with status $?"
for i in $(seq 1 300); do
  [ -e "$installed" ] || [ -e "$entry" ] || break
  sleep 0.1
done
[ ! -e "$installed" ] || fail "left behind: $(cd "$installed" && find . | head)"
[ ! -e "$entry" ] || fail "the Start menu entry is left"
! wine_run 60 reg query "$key" >/dev/null 2>&1 || fail "the uninstall key is left in the registry"
echo "ok uninstalled: nothing left"
