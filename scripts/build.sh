#!/usr/bin/env bash
# Configures and builds everything (program, stand-in helper, tests) into ${BUILD_DIR:-build}.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
# ccache, where installed, makes rebuilds and builds of other checkouts of the tree cheap.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$(dirname "$(pwd)")"
fi
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DLAUNCHER_WERROR=$werror "${launcher[@]}" >/dev/null
ninja -C "$BUILD_DIR"
