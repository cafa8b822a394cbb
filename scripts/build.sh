#!/usr/bin/env bash
# Configures and builds everything (program, stand-in helper, tests) into ${BUILD_DIR:-build}.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DLAUNCHER_WERROR=$werror >/dev/null
ninja -C "$BUILD_DIR"
