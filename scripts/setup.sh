#!/usr/bin/env bash
# Installs what the build, the window and the tests need on a fresh Debian machine (idempotent).
set -euo pipefail
# clang-14 and lld-14: the second compiler (scripts/test.sh); zip and unzip: the demo package test;
# libclang-rt-14-dev and llvm-14: the host build's sanitizers, libFuzzer and symbolizer.
packages=(cmake ninja-build g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 xvfb x11-utils
          imagemagick googletest python3 fonts-noto-core fonts-dejavu-core clang-14 lld-14 zip unzip
          libclang-rt-14-dev llvm-14)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
