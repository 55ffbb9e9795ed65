#!/usr/bin/env bash
# The Debian package built by CPack: it depends on the libraries the game links,
# it holds the launcher, the game, the data and an icon of 256x256, and its
# desktop entry and metainfo pass desktop-file-validate and appstreamcli validate.
# Usage: package_valid.sh <zarnoth binary> <source dir>
set -euo pipefail
build=$(cd "$(dirname "$1")" && pwd)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "FAIL: $*"; status=1; }

if ! (cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1); then
  cat "$work/cpack.log"
  fail "cpack could not build the package"
  exit 1
fi
deb=$(ls "$work"/out/*.deb)

depends=$(dpkg-deb -f "$deb" Depends)
for library in libglut3.12 libgl1 libglu1-mesa libx11-6 libopenal1 libsndfile1 libc6 libstdc++6; do
  [[ ", $depends," == *", $library"[\ ,]* ]] || fail "Depends lacks $library: $depends"
done

dpkg-deb -x "$deb" "$work/root"
usr="$work/root/usr"
for file in bin/zarnoth libexec/zarnoth/zarnoth share/zarnoth/zarnoth.ini share/zarnoth/levels/level1.cfg \
    share/zarnoth/models/tarnel.txt share/zarnoth/texturen/wasser.tga share/zarnoth/sounds/step.wav; do
  [ -f "$usr/$file" ] || fail "the package lacks /usr/$file"
done
[ -x "$usr/bin/zarnoth" ] || fail "/usr/bin/zarnoth is not executable"

desktop=$(ls "$usr"/share/applications/*.desktop)
metainfo=$(ls "$usr"/share/metainfo/*.metainfo.xml)
desktop-file-validate "$desktop" || fail "desktop-file-validate refuses $(basename "$desktop")"
grep -qx 'Exec=zarnoth' "$desktop" || fail "the menu entry does not start zarnoth from PATH"
appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 ||
  { cat "$work/appstream.log"; fail "appstreamcli validate refuses $(basename "$metainfo")"; }

# The icon the entry names, as the hicolor theme looks it up.
icon=$(sed -n 's/^Icon=//p' "$desktop")
png="$usr/share/icons/hicolor/256x256/apps/$icon.png"
if [ ! -f "$png" ]; then
  fail "no 256x256 icon $icon.png"
else
  size=$(identify -format '%wx%h' "$png")
  [ "$size" = 256x256 ] || fail "the 256x256 icon is $size"
fi

[ "$status" -eq 0 ] && echo "PASS: $(basename "$deb")"
exit "$status"
