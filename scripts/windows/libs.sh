#!/usr/bin/env bash
# Builds dxflib (from Debian's dxflib source package) and GoogleTest (Debian's googletest sources in
# /usr/src/googletest) for Windows with mingw-w64, once per machine, into the cache beside Qt.
# Reused when the prefix is complete.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
CACHE="${VELM_WIN_CACHE:-$HOME/.cache/velmrqx}"
PREFIX="$CACHE/libs-mingw64"
TOOLCHAIN="$ROOT/scripts/windows/mingw64.cmake"
if [[ -f "$PREFIX/.complete" ]]; then
  echo "dxflib and GoogleTest for Windows: cached in $PREFIX"
  exit 0
fi
mkdir -p "$CACHE/src" "$PREFIX/lib/pkgconfig" "$PREFIX/include/dxflib"

# dxflib: the source package of the archive the machine already uses, fetched with package lists
# of its own (an update with only a deb-src list would drop the machine's binary lists).
cd "$CACHE/src"
if ! ls dxflib_*.orig.tar.* >/dev/null 2>&1; then
  SRCLIST="$CACHE/deb-src.sources"
  sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > "$SRCLIST"
  mkdir -p "$CACHE/apt-lists/partial"
  APT=(-o Dir::Etc::SourceList="$SRCLIST" -o Dir::Etc::SourceParts=/dev/null
       -o Dir::State::Lists="$CACHE/apt-lists")
  apt-get "${APT[@]}" update -qq
  apt-get "${APT[@]}" source --download-only dxflib
fi
DXF_SRC="$CACHE/src/dxflib"
if [[ ! -f "$DXF_SRC/src/dl_dxf.cpp" ]]; then
  rm -rf "$DXF_SRC" && mkdir -p "$DXF_SRC"
  tar -xf dxflib_*.orig.tar.* -C "$DXF_SRC" --strip-components=1
  # Debian's patches, as its libdxflib-dev has them.
  tar -xf dxflib_*.debian.tar.* -C "$DXF_SRC"
  while read -r patch; do
    [[ -n "$patch" && "$patch" != \#* ]] && patch -d "$DXF_SRC" -p1 --quiet < "$DXF_SRC/debian/patches/$patch"
  done < "$DXF_SRC/debian/patches/series"
fi
DXF_BUILD="$CACHE/build-dxflib"
rm -rf "$DXF_BUILD" && mkdir -p "$DXF_BUILD"
for f in "$DXF_SRC"/src/*.cpp; do
  x86_64-w64-mingw32-g++-posix -O2 -std=c++17 -c "$f" -o "$DXF_BUILD/$(basename "${f%.cpp}").o"
done
x86_64-w64-mingw32-ar rcs "$PREFIX/lib/libdxflib.a" "$DXF_BUILD"/*.o
cp "$DXF_SRC"/src/*.h "$PREFIX/include/dxflib/"
VERSION=$(sed -n 's/^dxflib_\([0-9.]*\).*/\1/p' <<<"$(ls dxflib_*.orig.tar.*)")
cat > "$PREFIX/lib/pkgconfig/dxflib.pc" <<EOF
prefix=$PREFIX
Name: dxflib
Description: DXF reading and writing (built for Windows)
Version: ${VERSION:-3}
Libs: -L\${prefix}/lib -ldxflib
Cflags: -I\${prefix}/include/dxflib
EOF

# GoogleTest from Debian's googletest package (its sources under /usr/src/googletest).
cmake -G Ninja -S /usr/src/googletest -B "$CACHE/build-gtest" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" -DBUILD_GMOCK=OFF -Dgtest_force_shared_crt=ON
cmake --build "$CACHE/build-gtest" -j"${VELM_JOBS:-2}"
cmake --install "$CACHE/build-gtest"
touch "$PREFIX/.complete"
echo "dxflib and GoogleTest for Windows: built into $PREFIX"
