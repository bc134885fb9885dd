#!/usr/bin/env bash
# Builds the project file reader's fuzz target (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in its own build folder, reads every file of tests/fuzz/corpus once
# whole, then fuzzes for VELM_FUZZ_SECONDS (60) seconds seeded by them. A crashing input is copied
# into tests/fuzz/corpus as a regression case (commit it with the fix) and the run fails.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${VELM_FUZZ_BUILD:-$ROOT/build/fuzz}"
SECONDS_TO_RUN="${VELM_FUZZ_SECONDS:-60}"
CORPUS="$ROOT/tests/fuzz/corpus"
if [[ ! -f "$BUILD/build.ninja" ]]; then
  CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DVELM_BUILD_FUZZ=ON -DVELM_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$BUILD" -j2 --target project_file_fuzz
FUZZ="$BUILD/tests/fuzz/project_file_fuzz"
ARTIFACTS="$BUILD/fuzz-artifacts"
WORK="$BUILD/fuzz-corpus"  # inputs found during the run; the repository's corpus stays as it is
rm -rf "$ARTIFACTS"
mkdir -p "$ARTIFACTS" "$WORK"
export ASAN_OPTIONS=detect_leaks=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

status=0
echo "fuzz: reading the $(ls "$CORPUS" | wc -l) corpus files whole"
"$FUZZ" -artifact_prefix="$ARTIFACTS/" "$CORPUS"/* >"$BUILD/fuzz-replay.log" 2>&1 || status=$?
if ((status == 0)); then
  echo "fuzz: ${SECONDS_TO_RUN} s of fuzzing (inputs up to 16 KB)"
  "$FUZZ" -max_total_time="$SECONDS_TO_RUN" -max_len=16384 -timeout=25 -print_final_stats=1 \
    -artifact_prefix="$ARTIFACTS/" "$WORK" "$CORPUS" >"$BUILD/fuzz-run.log" 2>&1 || status=$?
  grep -E "^stat::number_of_executed_units|^Done|INITED" "$BUILD/fuzz-run.log" || true
else
  cat "$BUILD/fuzz-replay.log"
fi
if ((status != 0)); then
  tail -n 60 "$BUILD/fuzz-run.log" 2>/dev/null || true
  for f in "$ARTIFACTS"/*; do
    [[ -f "$f" ]] || continue
    cp "$f" "$CORPUS/"
    echo "fuzz: FAILED on $(basename "$f"); kept as tests/fuzz/corpus/$(basename "$f") — fix the reader and commit it"
  done
  exit 1
fi
echo "fuzz: no crash"
