#!/usr/bin/env bash
# The Windows build, on Debian 12 as root: installs what it needs, builds Qt for Windows, dxflib and
# GoogleTest once per machine into ~/.cache/velmrqx (reused afterwards), cross-builds the program
# with mingw-w64, runs the test suite under Wine (Qt's Windows platform on an Xvfb display), and
# writes dist/velmrqx-<version>-win64.zip and dist/velmrqx-<version>-setup.exe.
#   VELM_WIN_TESTS=0 skips the tests; VELM_JOBS sets the build's parallel jobs (2).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
CACHE="${VELM_WIN_CACHE:-$HOME/.cache/velmrqx}"
export VELM_WIN_CACHE="$CACHE"
QT="$CACHE/qt6-mingw64"
LIBS="$CACHE/libs-mingw64"
BUILD="$ROOT/build/win64"
DIST="$ROOT/dist"
VERSION=$(sed -n 's/^project(velmrqx VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt")
JOBS="${VELM_JOBS:-2}"

TIMES=()
stage() {  # stage NAME COMMAND…: runs it and keeps its time for the summary
  local name=$1 start=$SECONDS
  shift
  echo "== $name"
  "$@"
  TIMES+=("$(printf '%-34s %4d min %02d s' "$name" $(((SECONDS - start) / 60)) $(((SECONDS - start) % 60)))")
}

install_packages() {
  local pkgs=(build-essential cmake ninja-build pkg-config patch qt6-base-dev qt6-translations-l10n
              googletest g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix wine wine64 nsis zip
              xvfb xauth fonts-ipafont python3)
  local missing=() p
  for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if ((${#missing[@]})); then
    echo "installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

configure_and_build() {
  if [[ ! -f "$BUILD/build.ninja" ]]; then
    PKG_CONFIG_LIBDIR="$LIBS/lib/pkgconfig" "$QT/bin/qt-cmake" -G Ninja -S "$ROOT" -B "$BUILD" \
      -DQT_CHAINLOAD_TOOLCHAIN_FILE="$ROOT/scripts/windows/mingw64.cmake" \
      -DQT_ADDITIONAL_PACKAGES_PREFIX_PATH="$LIBS" \
      -DCMAKE_BUILD_TYPE=Release -DVELM_BUILD_BENCH=OFF \
      -DVELM_BUILD_TESTS="$([[ "${VELM_WIN_TESTS:-1}" == 0 ]] && echo OFF || echo ON)"
  fi
  PKG_CONFIG_LIBDIR="$LIBS/lib/pkgconfig" cmake --build "$BUILD" -j"$JOBS"
}

# Wine with its own prefix in the cache (its first start takes minutes), the DLLs of Qt and of the
# compiler's runtime on its path, Qt's Windows platform on an Xvfb display.
wine_env() {
  export WINEPREFIX="$CACHE/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  local runtime
  runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
  export WINEPATH="$(winepath -w "$QT/bin" 2>/dev/null);$(winepath -w "$runtime" 2>/dev/null);$(winepath -w /usr/x86_64-w64-mingw32/lib 2>/dev/null)"
  export QT_QPA_PLATFORM=windows
  # Qt's Japanese texts where the tests' Qt looks for them.
  mkdir -p "$QT/translations"
  cp -n /usr/share/qt6/translations/qtbase_ja.qm /usr/share/qt6/translations/qt_ja.qm "$QT/translations/"
}

# A Japanese Windows has ＭＳ 明朝, ＭＳ ゴシック and their P faces; the prefix gets the IPA fonts that
# stand in for them on Linux (the program's own substitution table maps the names), installed as
# Windows installs fonts: the files in C:\windows\Fonts and each named in the registry.
IPA_FONTS=(/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf:IPAMincho
           /usr/share/fonts/opentype/ipafont-mincho/ipamp.ttf:IPAPMincho
           /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf:IPAGothic
           /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf:IPAPGothic)
prepare_wine() {
  export WINEPREFIX="$CACHE/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    xvfb-run -a wineboot -i
    wineserver -w
  fi
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" entry file family
  mkdir -p "$fonts"
  for entry in "${IPA_FONTS[@]}"; do
    file=${entry%%:*} family=${entry##*:}
    if ! cmp -s "$file" "$fonts/$(basename "$file")"; then
      cp "$file" "$fonts/"
      wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' /v "$family (TrueType)" \
        /t REG_SZ /d "$(basename "$file")" /f >/dev/null
    fi
  done
  wineserver -w
}

TEST_STATUS=0
run_tests() {  # a failing test is counted and reported; the packages are made all the same
  wine_env
  rm -rf "$BUILD/test-results"
  mkdir -p "$BUILD/test-results"
  xvfb-run -a -s "-screen 0 1600x1000x24" \
    ctest --test-dir "$BUILD" -j"$JOBS" --timeout 900 --output-on-failure > "$BUILD/test-results/ctest.log" 2>&1 ||
    TEST_STATUS=1
  wineserver -k 2>/dev/null || true
  grep -E "tests passed|tests failed|\*\*\*|Failed|Not Run" "$BUILD/test-results/ctest.log" || true
  /usr/bin/python3 "$ROOT/scripts/windows/test_counts.py" "$BUILD/test-results" || TEST_STATUS=1
}

package() {
  local stage="$BUILD/stage/velmrqx-$VERSION"
  rm -rf "$BUILD/stage"
  cmake --install "$BUILD" --prefix "$stage"
  x86_64-w64-mingw32-strip "$stage"/*.exe
  mkdir -p "$DIST"
  rm -f "$DIST/velmrqx-$VERSION-win64.zip"
  (cd "$BUILD/stage" && zip -qr9 "$DIST/velmrqx-$VERSION-win64.zip" "velmrqx-$VERSION")
  # The uninstaller removes exactly what was installed: files first, then the folders, deepest first.
  local list="$BUILD/stage/uninstall-files.nsh"
  (cd "$stage" && find . -type f | sed 's|^\./||; s|/|\\|g; s|.*|  Delete "$INSTDIR\\&"|' &&
                  find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|.*|  RMDir "$INSTDIR\\&"|') > "$list"
  makensis -V2 -DVERSION="$VERSION" -DSTAGE="$stage" -DFILES="$list" \
    -DOUTFILE="$DIST/velmrqx-$VERSION-setup.exe" "$ROOT/packaging/windows/installer.nsi"
  ls -l "$DIST/velmrqx-$VERSION-win64.zip" "$DIST/velmrqx-$VERSION-setup.exe"
}

start=$SECONDS
stage "packages" install_packages
stage "Qt for Windows" "$ROOT/scripts/windows/qt.sh"
stage "dxflib and GoogleTest" "$ROOT/scripts/windows/libs.sh"
stage "build (mingw-w64)" configure_and_build
if [[ "${VELM_WIN_TESTS:-1}" != 0 ]]; then
  stage "Wine prefix (first start)" prepare_wine
  stage "tests under Wine" run_tests
fi
stage "zip and installer" package
echo "== times"
printf '%s\n' "${TIMES[@]}"
printf '%-34s %4d min %02d s\n' "total" $(((SECONDS - start) / 60)) $(((SECONDS - start) % 60))
exit "$TEST_STATUS"
