#!/usr/bin/env bash
# Configures and builds the host tree (sanitized pure units, their tests, the fuzz targets) with clang
# into ${BUILD_DIR:-build}/native, and the units shared between threads with ThreadSanitizer into
# ${BUILD_DIR:-build}/native-thread.
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
for sanitizer in address thread; do
  dir="$BUILD_DIR/native"
  [ "$sanitizer" = thread ] && dir="$BUILD_DIR/native-thread"
  cmake -S tests/native -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 \
    -DLAUNCHER_WERROR=$werror -DLAUNCHER_SANITIZER=$sanitizer "${launcher[@]}" >/dev/null
  ninja -C "$dir"
done
