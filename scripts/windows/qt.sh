#!/usr/bin/env bash
# Builds Qt for Windows (mingw-w64, posix threads) from Debian's own qt6-base source, once per machine,
# into a cache outside the clone. Reused when its prefix is complete.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
CACHE="${VELM_WIN_CACHE:-$HOME/.cache/velmrqx}"
PREFIX="$CACHE/qt6-mingw64"
if [[ -f "$PREFIX/.complete" ]]; then
  echo "Qt for Windows: cached in $PREFIX"
  exit 0
fi
mkdir -p "$CACHE/src"
cd "$CACHE/src"
if ! ls qt6-base_*.orig.tar.xz >/dev/null 2>&1; then
  # A deb-src list for the archive the machine already uses, kept beside the cache.
  SRCLIST="$CACHE/deb-src.sources"
  sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > "$SRCLIST"
  # Its own package lists too: an update with only this list would drop the machine's binary lists.
  mkdir -p "$CACHE/apt-lists/partial"
  APT=(-o Dir::Etc::SourceList="$SRCLIST" -o Dir::Etc::SourceParts=/dev/null
       -o Dir::State::Lists="$CACHE/apt-lists")
  apt-get "${APT[@]}" update -qq
  apt-get "${APT[@]}" source --download-only qt6-base
fi
SRC="$CACHE/src/qtbase"
if [[ ! -f "$SRC/CMakeLists.txt" ]]; then
  rm -rf "$SRC" && mkdir -p "$SRC"
  tar -xf qt6-base_*.orig.tar.xz -C "$SRC" --strip-components=1
fi
BUILD="$CACHE/build-qt"
mkdir -p "$BUILD"
if [[ ! -f "$BUILD/build.ninja" ]]; then
  cmake -G Ninja -S "$SRC" -B "$BUILD" \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/scripts/windows/mingw64.cmake" \
    -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF \
    -DFEATURE_xml=OFF -DFEATURE_tabletevent=OFF -DFEATURE_opengl=ON \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
    -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF \
    -DFEATURE_system_doubleconversion=OFF
fi
cmake --build "$BUILD" -j"${VELM_JOBS:-2}"
cmake --install "$BUILD"
touch "$PREFIX/.complete"
echo "Qt for Windows: built into $PREFIX"
