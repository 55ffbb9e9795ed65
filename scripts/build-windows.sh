#!/usr/bin/env bash
# Cross-compiles Zarnoth for 64-bit Windows into build-windows/:
# zarnoth.exe and zarnoth-check.exe, statically linked, importing only DLLs
# that every Windows has.
# - installs the mingw-w64 toolchain, Wine and NSIS where missing;
# - builds freeglut, libpng and libsndfile from Debian's source packages
#   (apt-get source; a deb-src entry is added where there is none) with
#   cmake/mingw-w64.cmake,
#   into a cache outside the build tree that later runs reuse:
#   $ZARNOTH_WIN_CACHE, by default ~/.cache/zarnoth-win64;
# - configures and builds the game with the same CMake project as on Linux.
# - packs the zip and the installer.
# With --tests it also builds the Windows test programs (tests/windows), which
# `ctest` in BUILD_DIR runs under Wine.
# Usage: scripts/build-windows.sh [--tests] [BUILD_DIR]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
targets=(zarnoth zarnoth-check)
if [ "${1:-}" = "--tests" ]; then
  targets+=(test_collision)
  shift
fi
build="$(realpath -m "${1:-$root/build-windows}")"
cache="${ZARNOTH_WIN_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/zarnoth-win64}"
prefix="$cache/prefix"
toolchain="$root/cmake/mingw-w64.cmake"
jobs="${ZARNOTH_JOBS:-$(nproc)}"

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive

"$root/scripts/install-packages.sh" "$root/scripts/packages-windows.txt"

# The versions the libraries are built from; a change rebuilds them.
freeglut_version="3.4.0-1"
libpng_version="1.6.39-2+deb12u5"
sndfile_version="1.2.0-1+deb12u1"
stamp="$prefix/.built-freeglut-$freeglut_version-libpng-$libpng_version-sndfile-$sndfile_version"
sndfile_dir="libsndfile-${sndfile_version%%-*}"

has_deb_src() {
  grep -rqsE '^[[:space:]]*(deb-src[[:space:]]|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/ 2>/dev/null
}

fetch_sources() {
  if ! has_deb_src; then
    echo "Adding a deb-src entry for Debian's source packages" >&2
    local system=/etc/apt/sources.list.d/debian.sources
    [ -f "$system" ] || { echo "build-windows: no deb-src entry and no $system to copy" >&2; exit 1; }
    sed 's/^Types:.*/Types: deb-src/' "$system" | $sudo tee /etc/apt/sources.list.d/zarnoth-deb-src.sources >/dev/null
    $sudo apt-get update -qq
  fi
  mkdir -p "$cache/src"
  (cd "$cache/src" && [ -d "freeglut-${freeglut_version%-*}" ] || apt-get source -qq "freeglut=$freeglut_version")
  (cd "$cache/src" && [ -d "libpng1.6-${libpng_version%%-*}" ] || apt-get source -qq "libpng1.6=$libpng_version")
  (cd "$cache/src" && [ -d "$sndfile_dir" ] || apt-get source -qq "libsndfile=$sndfile_version")
}

build_library() {  # NAME SOURCE_DIR CMAKE_OPTIONS...
  local name=$1 source=$2
  shift 2
  echo "Building $name for Windows" >&2
  rm -rf "$cache/build-$name"
  nice -n 10 cmake -S "$source" -B "$cache/build-$name" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DZARNOTH_WIN_PREFIX="$prefix" "$@" >/dev/null
  nice -n 10 cmake --build "$cache/build-$name" -j "$jobs" >/dev/null
  cmake --install "$cache/build-$name" >/dev/null
}

if [ ! -f "$stamp" ]; then
  start=$SECONDS
  fetch_sources
  rm -rf "$prefix"
  zlib=/usr/x86_64-w64-mingw32/lib/libz.a
  build_library freeglut "$cache/src/freeglut-${freeglut_version%-*}" \
    -DFREEGLUT_BUILD_SHARED_LIBS=OFF -DFREEGLUT_BUILD_STATIC_LIBS=ON -DFREEGLUT_BUILD_DEMOS=OFF \
    -DFREEGLUT_REPLACE_GLUT=OFF
  build_library libpng "$cache/src/libpng1.6-${libpng_version%%-*}" \
    -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DZLIB_LIBRARY="$zlib" -DZLIB_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include
  # libsndfile reads the game's sound files: its own formats (WAV among
  # them), none of the external codec libraries (FLAC, Ogg, Vorbis, Opus,
  # MPEG), no programs. (OpenAL Soft is not built: its Debian source package
  # cannot be fetched here, so the Windows game plays through DirectSound.)
  build_library sndfile "$cache/src/$sndfile_dir" \
    -DBUILD_SHARED_LIBS=OFF -DENABLE_EXTERNAL_LIBS=OFF -DENABLE_MPEG=OFF -DBUILD_PROGRAMS=OFF \
    -DBUILD_EXAMPLES=OFF -DBUILD_TESTING=OFF -DENABLE_CPACK=OFF -DENABLE_PACKAGE_CONFIG=ON -DINSTALL_MANPAGES=OFF \
    -Wno-deprecated
  touch "$stamp"
  echo "Libraries built in $((SECONDS - start)) s into $prefix" >&2
fi

nice -n 10 cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DZARNOTH_WIN_PREFIX="$prefix" \
  -DCMAKE_BUILD_TYPE=Release -DZARNOTH_TESTS=ON -DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=16 >/dev/null
nice -n 10 cmake --build "$build" -j "$jobs" --target "${targets[@]}"

# Only DLLs that every Windows has.
allowed='^(kernel32|user32|gdi32|opengl32|glu32|winmm|dsound|advapi32|msvcrt|shell32|ole32|comdlg32|ws2_32|api-ms-win-crt-[a-z0-9-]+)\.dll$'
for exe in zarnoth.exe zarnoth-check.exe; do
  while read -r dll; do
    if ! echo "$dll" | tr 'A-Z' 'a-z' | grep -qE "$allowed"; then
      echo "build-windows: $exe imports $dll, which Windows does not ship" >&2
      exit 1
    fi
  done < <(x86_64-w64-mingw32-objdump -p "$build/$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
done
echo "Built $build/zarnoth.exe and $build/zarnoth-check.exe"

# The zip and the installer hold the same tree: the programs with the data
# beside them (a double-clicked program starts in its own directory, and the
# game reads its working directory), the README as text and the icon.
version=$(sed -n 's/^project(zarnoth VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
name="zarnoth-$version-win64"
stage="$build/package/$name"
rm -rf "$build/package" "$build/$name.zip" "$build/$name-setup.exe"
mkdir -p "$stage"
cp "$build/zarnoth.exe" "$build/zarnoth-check.exe" "$stage/"
x86_64-w64-mingw32-strip "$stage/zarnoth.exe" "$stage/zarnoth-check.exe"
cp -r "$root/data/zarnoth.ini" "$root/data/levels" "$root/data/models" "$root/data/texturen" "$root/data/sounds" "$root/data/demos" "$stage/"
sed 's/$/\r/' "$root/README.md" >"$stage/README.txt"
convert "$root/dist/icons/zarnoth-48.png" "$root/dist/icons/zarnoth-32.png" "$stage/zarnoth.ico"
(cd "$build/package" && cmake -E tar cf "$build/$name.zip" --format=zip "$name")
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$build/$name-setup.exe" \
  "$root/dist/windows/zarnoth.nsi" >/dev/null
echo "Packed $build/$name.zip and $build/$name-setup.exe"
