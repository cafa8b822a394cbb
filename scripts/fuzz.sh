#!/usr/bin/env bash
# Builds the host tree and runs every fuzz target (tests/fuzz/*_fuzz.cpp) for a while, each from its
# committed seeds plus what earlier runs found (kept in ${FUZZ_WORK:-build/fuzz}/corpus).
#   scripts/fuzz.sh [--time SECONDS] [--no-build] [TARGET...]     e.g. scripts/fuzz.sh --time 600 utf8
# A target that finds a fault leaves its input in ${FUZZ_WORK:-build/fuzz}/findings and the script
# fails. Prints the number of runs per target.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
FUZZ_WORK=${FUZZ_WORK:-$BUILD_DIR/fuzz}
seconds=60
build=1
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    --time) seconds=$2; shift 2 ;;
    --no-build) build=0; shift ;;
    -*) echo "unknown option $1" >&2; exit 2 ;;
    *) targets+=("$1"); shift ;;
  esac
done
if [ ${#targets[@]} -eq 0 ]; then
  for source in tests/fuzz/*_fuzz.cpp; do
    name=$(basename "$source" _fuzz.cpp)
    targets+=("$name")
  done
fi
if [ "$build" = 1 ]; then
  scripts/setup.sh
  scripts/native-build.sh >/dev/null
fi
export ASAN_SYMBOLIZER_PATH=${ASAN_SYMBOLIZER_PATH:-$(command -v llvm-symbolizer-14 || true)}
failed=0
total=0
for name in "${targets[@]}"; do
  corpus="$FUZZ_WORK/corpus/$name"
  findings="$FUZZ_WORK/findings"
  log="$FUZZ_WORK/$name.log"
  mkdir -p "$corpus" "$findings"
  status=0
  "$BUILD_DIR/native/fuzz_$name" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$findings/$name-" "$corpus" "tests/fuzz/corpus/$name" >"$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  total=$((total + ${runs:-0}))
  if [ $status -ne 0 ]; then
    failed=1
    echo "fuzz $name: FAILED after ${runs:-?} runs (log: $log)"
    grep -E '^(==[0-9]+==ERROR|SUMMARY|artifact_prefix|Test unit written)' "$log" || tail -20 "$log"
  else
    echo "fuzz $name: ${runs:-?} runs, no finding"
  fi
done
echo "fuzz: $total runs in all"
exit $failed
