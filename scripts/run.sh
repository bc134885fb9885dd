#!/usr/bin/env bash
# Sets up, builds (Release) and starts the desktop program; "run.sh cli ARGS…" runs velmrqx-cli.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$ROOT/scripts/deps.sh" >&2
BUILD="$ROOT/build/release"
if [[ ! -f "$BUILD/build.ninja" ]]; then
  cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DVELM_BUILD_TESTS=OFF -DVELM_BUILD_BENCH=OFF >&2
fi
cmake --build "$BUILD" -j2 --target velmrqx velmrqx-cli >&2
if [[ "${1:-}" == "cli" ]]; then
  shift
  exec "$BUILD/src/cli/velmrqx-cli" "$@"
fi
exec "$BUILD/src/app/velmrqx" "$@"
