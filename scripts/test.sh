#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine and Xvfb of the run's own.
#   scripts/test.sh [ctest arguments...]      e.g. scripts/test.sh -R unit_tests
# A full run (no arguments, or CI=true) also builds everything with the second compiler, clang,
# into build-clang/ and runs its unit tests: code both compilers accept is more likely portable.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
scripts/native-build.sh
BUILD_DIR=${BUILD_DIR:-build}
# In CI a failed test program runs once more: the GUI tests drive real windows under Wine on a
# shared machine, and a rare stall there must not decide a whole run. A fault fails both times, and
# the first failure's output stays in the log.
retry=()
[ "${CI:-}" = "true" ] && retry=(--repeat until-pass:2)
scripts/wine-env.sh --dpi 96 -- ctest --test-dir "$BUILD_DIR" --output-on-failure "${retry[@]}" "$@"
if [ $# -eq 0 ] || [ "${CI:-}" = "true" ]; then
  clang_dir="$BUILD_DIR-clang"
  BUILD_DIR=$clang_dir TOOLCHAIN=cmake/mingw-w64-clang.cmake scripts/build.sh
  scripts/wine-env.sh --dpi 96 --prefix "$BUILD_DIR/wineprefix-96" -- \
    ctest --test-dir "$clang_dir" --output-on-failure "${retry[@]}" -R '^unit_tests$'
fi
