#!/usr/bin/env bash
# The demo: installs what is missing, builds only what the window needs (the program, the stand-in
# in place of the bundled interpreter, the player folder) and runs the window under Wine, in the
# prefix set-up the tests use (scripts/wine-env.sh), so it looks the same everywhere.
#   scripts/run.sh [program arguments...]
# On a desktop the window opens there, in build/demo: a copy of the player folder that keeps the
# demo's state between runs (build/player stays clean, the tests copy it). Without a display it
# records the demo in a fresh copy of the player folder on a virtual display: numbered pictures in
# build/screens/run/.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$SECONDS
scripts/setup.sh
BUILD_DIR=${BUILD_DIR:-build}
root=$(pwd)
prefix="$root/$BUILD_DIR/wineprefix-run"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  scripts/build.sh player
  # The program files are refreshed; what the demo wrote (private/standin, private/launcher) stays.
  mkdir -p "$BUILD_DIR/demo"
  cp -r "$BUILD_DIR/player/." "$BUILD_DIR/demo/"
  cd "$BUILD_DIR/demo"
  exec "$root/scripts/wine-env.sh" --desktop --prefix "$prefix" -- wine ./TharnOfEmberfall.exe "$@"
fi

scripts/build.sh player tour
source scripts/capture-requests.sh
out="$root/$BUILD_DIR/screens/run"
requests="$out/requests"
rm -rf "$out" && mkdir -p "$requests"
echo "No display: recording the demo on a virtual display (about a minute)..."
scripts/wine-env.sh --prefix "$prefix" -- bash -c '
  '"$(declare -f capture_requests)"'
  requests=$1 out=$2 elapsed=$3 tour=$4; shift 4
  capture_requests "$requests" "$out" & capturer=$!
  # Says when the first picture, the window as it came up, is there.
  ( while [ ! -e "$out/01-home.png" ]; do sleep 0.1; done
    echo "The window is up, $((elapsed + SECONDS)) s after the start of run.sh." ) & announcer=$!
  status=0
  wine "$tour" "Z:${requests//\//\\}" "$@" || status=$?
  kill "$capturer" "$announcer" 2>/dev/null || true
  exit $status
' run "$requests" "$out" "$((SECONDS - start))" "$BUILD_DIR/tests/tour.exe" "$@"
rm -rf "$requests"
echo "The demo as a player sees it, in order:"
ls "$out"/*.png
