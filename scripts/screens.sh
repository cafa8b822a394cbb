#!/usr/bin/env bash
# Captures the window in its main states at 96 and 144 DPI into build/screens/<state>-<dpi>.png.
# tests/screens/screens.cpp drives the real program into each state and asks for a capture by
# writing <state>.request ("x y width height"); this script grabs that area of the X screen.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
out=$(realpath -m "$BUILD_DIR/screens")
mkdir -p "$out"

capture_requests() {
  local folder=$1 dpi=$2
  while :; do
    for request in "$folder"/*.request; do
      [ -e "$request" ] || continue
      read -r x y width height <"$request"
      name=$(basename "$request" .request)
      import -window root -crop "${width}x${height}+${x}+${y}" +repage "$out/$name-$dpi.png"
      rm "$request"
      touch "$folder/$name.png"
    done
    sleep 0.2
  done
}

for dpi in 96 144; do
  folder="$out/requests-$dpi"
  rm -rf "$folder" && mkdir -p "$folder"
  scripts/wine-env.sh --dpi "$dpi" -- bash -c "
    $(declare -f capture_requests); out='$out'
    capture_requests '$folder' '$dpi' & capturer=\$!
    wine '$BUILD_DIR/tests/screens.exe' 'Z:$(echo "$folder" | tr / '\\')'
    kill \$capturer"
  rm -rf "$folder"
done
ls "$out"/*.png
