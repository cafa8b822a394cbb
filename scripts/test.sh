#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine and Xvfb of the run's own.
#   scripts/test.sh [ctest arguments...]      e.g. scripts/test.sh -R unit_tests
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
BUILD_DIR=${BUILD_DIR:-build}
scripts/wine-env.sh --dpi 96 -- ctest --test-dir "$BUILD_DIR" --output-on-failure "$@"
