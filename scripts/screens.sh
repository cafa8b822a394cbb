#!/usr/bin/env bash
# Captures the window in its main states at 96 and 144 DPI into build/screens/<state>-<dpi>.png
# (after a build), and refreshes the README's pictures in docs/ from the 96 DPI ones.
# tests/screens/screens.cpp drives the real program into each state and asks for each capture.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/capture-requests.sh
BUILD_DIR=${BUILD_DIR:-build}
out=$(realpath -m "$BUILD_DIR/screens")
mkdir -p "$out"

for dpi in 96 144; do
  folder="$out/requests-$dpi"
  rm -rf "$folder" && mkdir -p "$folder"
  scripts/wine-env.sh --dpi "$dpi" -- bash -c "
    $(declare -f capture_requests)
    capture_requests '$folder' '$out' '-$dpi' & capturer=\$!
    wine '$BUILD_DIR/tests/screens.exe' 'Z:$(echo "$folder" | tr / '\\')'
    kill \$capturer"
  rm -rf "$folder"
done
ls "$out"/*.png
# The README shows the home page during a first launch and the settings page.
cp "$out/home-first-launch-96.png" docs/home-first-launch.png
cp "$out/settings-graphics-96.png" docs/settings.png
echo "Updated docs/home-first-launch.png and docs/settings.png"
