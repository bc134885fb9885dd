#!/usr/bin/env bash
# Sets up, builds (with AddressSanitizer and UndefinedBehaviorSanitizer) and runs every test; without
# arguments also the project file reader's fuzz target for about a minute (VELM_FUZZ=0 skips it).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$ROOT/scripts/deps.sh" --test
BUILD="$ROOT/build/test"
if [[ ! -f "$BUILD/build.ninja" ]]; then
  cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELM_SANITIZE=ON \
    -DVELM_BUILD_BENCH=ON
fi
cmake --build "$BUILD" -j2
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0
export UBSAN_OPTIONS=print_stacktrace=1
status=0
(cd "$BUILD" && ctest --output-on-failure -j2 "$@") || status=$?
# The whole run (no ctest arguments) also fuzzes the project file reader for about a minute.
if (($# == 0)) && [[ "${VELM_FUZZ:-1}" != 0 ]]; then
  "$ROOT/scripts/fuzz.sh" || status=1
fi
exit "$status"
