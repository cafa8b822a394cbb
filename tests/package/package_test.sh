#!/usr/bin/env bash
# Install rule and demo package, as a packager and a first-time player meet them.
#   package_test.sh install <build folder>     the install holds TharnOfEmberfall.exe and nothing else
#   package_test.sh demo-zip <build folder>    builds the demo ZIP, unpacks it into a fresh folder
#                                              and runs the package test program from there
set -euo pipefail
mode=$1
build=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

case "$mode" in
install)
  cmake --install "$build" --prefix "$work/install" >/dev/null
  found=$(cd "$work/install" && find . -mindepth 1 | sort)
  [ "$found" = "./TharnOfEmberfall.exe" ] || fail "installed: $(echo $found)"
  cmp -s "$work/install/TharnOfEmberfall.exe" "$build/player/TharnOfEmberfall.exe" ||
    fail "the installed program differs from the built one"
  echo "installed: $found"
  ;;
demo-zip)
  cmake --build "$build" --target demo >/dev/null
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
  name="TharnOfEmberfall-$version-demo"
  zip="$build/$name.zip"
  [ -f "$zip" ] || fail "no $zip"
  listed=$(unzip -Z1 "$zip" | grep -v '/$' | sort)
  expected=$(printf '%s\n' "$name/TRY-THE-DEMO.txt" "$name/TharnOfEmberfall.exe" \
    "$name/private/tools/python314/python.exe" "$name/tools/launcher_locations.py" \
    "$name/tools/ravelhost.py" | sort)
  [ "$listed" = "$expected" ] || fail "the ZIP holds: $(echo $listed)"
  unzip -q "$zip" -d "$work"
  # ZIP tools often drop empty folders: the demo must not need any.
  find "$work/$name" -type d -empty -delete
  winfolder="Z:$(echo "$work/$name" | tr / '\\')"
  DEMO_FOLDER="$winfolder" STANDIN_DEMO_SPEEDUP=20 \
    wine "$build/tests/demo_package_test.exe" --gtest_color=no
  ;;
*) fail "unknown mode $mode" ;;
esac
