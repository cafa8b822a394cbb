#!/usr/bin/env bash
# Configures and builds the host tree (sanitized pure units, their tests, the fuzz targets) with clang
# into ${BUILD_DIR:-build}/native.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$(dirname "$(pwd)")"
fi
cmake -S tests/native -B "$BUILD_DIR/native" -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 \
  -DLAUNCHER_WERROR=$werror "${launcher[@]}" >/dev/null
ninja -C "$BUILD_DIR/native"
