#!/usr/bin/env bash
# Configures and builds into ${BUILD_DIR:-build}: everything (program, stand-in, tests), or only
# the targets named, e.g. `scripts/build.sh player` (the program, the stand-in, the player folder).
# TOOLCHAIN picks the compiler on the first configure of a build folder: cmake/mingw-w64.cmake
# (GCC, the default) or cmake/mingw-w64-clang.cmake.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
options=(-DCMAKE_BUILD_TYPE=Release -DLAUNCHER_WERROR=$werror)
# The toolchain is read on the first configure only; naming it again would draw a warning.
[ -f "$BUILD_DIR/CMakeCache.txt" ] ||
  options+=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="${TOOLCHAIN:-cmake/mingw-w64.cmake}")
# ccache, where installed, makes rebuilds and builds of other checkouts of the tree cheap.
if command -v ccache >/dev/null; then
  options+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$(dirname "$(pwd)")"
fi
cmake -S . -B "$BUILD_DIR" "${options[@]}" >/dev/null
ninja -C "$BUILD_DIR" "$@"
