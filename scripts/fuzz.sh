#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer) in their
# own build folder and runs each: every file of its corpus is read once whole, then it fuzzes seeded by
# them. The time (VELM_FUZZ_SECONDS, 60 s) is shared: the project file reader (tests/fuzz/corpus) and
# the whole headless program past the reader (calculation, report, plans, frames, save and read back;
# tests/fuzz/pipeline_corpus). A failing input is copied into that corpus as a regression case (commit
# it with the fix) and the run fails.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${VELM_FUZZ_BUILD:-$ROOT/build/fuzz}"
SECONDS_TO_RUN="${VELM_FUZZ_SECONDS:-60}"
if [[ ! -f "$BUILD/build.ninja" ]]; then
  CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DVELM_BUILD_FUZZ=ON -DVELM_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$BUILD" -j2 --target project_file_fuzz project_pipeline_fuzz
export ASAN_OPTIONS=detect_leaks=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen

# fuzz TARGET CORPUS SECONDS
fuzz() {
  local name="$1" corpus="$2" seconds="$3"
  local exe="$BUILD/tests/fuzz/$name" artifacts="$BUILD/$name-artifacts"
  local work="$BUILD/$name-corpus"  # inputs found during the run; the repository's corpus stays as it is
  local status=0
  rm -rf "$artifacts"
  mkdir -p "$artifacts" "$work"
  echo "fuzz $name: reading the $(ls "$corpus" | wc -l) corpus files whole"
  "$exe" -artifact_prefix="$artifacts/" "$corpus"/* >"$BUILD/$name-replay.log" 2>&1 || status=$?
  if ((status == 0)); then
    echo "fuzz $name: ${seconds} s of fuzzing (inputs up to 16 KB)"
    "$exe" -max_total_time="$seconds" -max_len=16384 -timeout=25 -print_final_stats=1 \
      -artifact_prefix="$artifacts/" "$work" "$corpus" >"$BUILD/$name-run.log" 2>&1 || status=$?
    grep -E "^stat::number_of_executed_units|^Done|INITED" "$BUILD/$name-run.log" || true
  else
    tail -n 60 "$BUILD/$name-replay.log"
  fi
  if ((status != 0)); then
    tail -n 60 "$BUILD/$name-run.log" 2>/dev/null || true
    for f in "$artifacts"/*; do
      [[ -f "$f" ]] || continue
      cp "$f" "$corpus/"
      echo "fuzz $name: FAILED on $(basename "$f"); kept as ${corpus#"$ROOT"/}/$(basename "$f") — fix it and commit that file"
    done
    return 1
  fi
  echo "fuzz $name: no crash"
}

status=0
fuzz project_file_fuzz "$ROOT/tests/fuzz/corpus" $((SECONDS_TO_RUN / 3)) || status=1
fuzz project_pipeline_fuzz "$ROOT/tests/fuzz/pipeline_corpus" $((SECONDS_TO_RUN - SECONDS_TO_RUN / 3)) || status=1
exit "$status"
