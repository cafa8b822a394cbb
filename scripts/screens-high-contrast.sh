#!/usr/bin/env bash
# Captures the window in high contrast (a white-on-black and a black-on-white theme) at 96 and 144
# DPI into build/screens-high-contrast/hc-<theme>-<state>-<dpi>.png (after a build).
# tests/screens/high_contrast.cpp runs the window in-process and hands it the theme's colours.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/capture-requests.sh
BUILD_DIR=${BUILD_DIR:-build}
out=$(realpath -m "$BUILD_DIR/screens-high-contrast")
mkdir -p "$out"

for dpi in 96 144; do
  folder="$out/requests-$dpi"
  rm -rf "$folder" && mkdir -p "$folder"
  scripts/wine-env.sh --dpi "$dpi" -- bash -c "
    $(declare -f capture_requests)
    capture_requests '$folder' '$out' '-$dpi' & capturer=\$!
    wine '$BUILD_DIR/tests/high_contrast.exe' 'Z:$(echo "$folder" | tr / '\\')'
    kill \$capturer"
  rm -rf "$folder"
done
ls "$out"/*.png
