#!/usr/bin/env bash
# Runs a command inside a Wine prefix and an Xvfb display of its own, then stops both by pid.
#   scripts/wine-env.sh [--dpi N] [--prefix DIR] [--desktop] -- command...
# The prefix defaults to ${BUILD_DIR:-build}/wineprefix-<dpi>; it is created on first use. Every run
# sets it up the same way (Segoe UI, Georgia and Consolas mapped to close free fonts, the DPI,
# unmanaged windows, no crash dialogs), so tests, screenshots and the demo see the same window.
# --desktop uses the display of $DISPLAY instead of starting Xvfb.
set -euo pipefail
trap 'echo "wine-env.sh: failed at line $LINENO: $BASH_COMMAND" >&2' ERR
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
dpi=96
prefix=""
desktop=false
while [ $# -gt 0 ]; do
  case "$1" in
    --dpi) dpi=$2; shift 2 ;;
    --prefix) prefix=$2; shift 2 ;;
    --desktop) desktop=true; shift ;;
    --) shift; break ;;
    *) break ;;
  esac
done
build_dir=${BUILD_DIR:-build}
case "$build_dir" in /*) ;; *) build_dir="$root/$build_dir" ;; esac
[ -n "$prefix" ] || prefix="$build_dir/wineprefix-$dpi"
prefix=$(realpath -m "$prefix")  # Wine wants an absolute prefix path

export WINEPREFIX="$prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64

# A free display number: no lock file and no socket for it. Another run may pick the same number
# at the same moment; the X server that wins writes its pid into the lock file, so start ours and
# move on to the next number when the lock is not ours.
display=90
xvfb_pid=""
$desktop && xvfb_pid=none
while [ -z "$xvfb_pid" ]; do
  while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
  Xvfb ":$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
  candidate=$!
  for _ in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$display" ] && [ -e "/tmp/.X$display-lock" ] && break
    kill -0 "$candidate" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$candidate" 2>/dev/null && [ "$(tr -d ' ' <"/tmp/.X$display-lock" 2>/dev/null)" = "$candidate" ]; then
    xvfb_pid=$candidate
  else
    kill "$candidate" >/dev/null 2>&1 || true
    wait "$candidate" 2>/dev/null || true
    display=$((display + 1))
  fi
done
$desktop || export DISPLAY=":$display"

cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  $desktop && return
  kill "$xvfb_pid" >/dev/null 2>&1 || true
  wait "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$prefix"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w || true
fi

# A persistent server for this prefix makes every later Wine start take about 0.1 s.
wineserver -p
reg() { wine reg add "$@" /f </dev/null >/dev/null 2>&1 || echo "wine-env.sh: could not set $1 $3" >&2; }
# The first call also starts the prefix's services, detached from our output: a service started by
# the first test program would inherit that program's pipes and keep them open after it ends.
reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'Segoe UI' /t REG_SZ /d 'Noto Sans'
reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'Georgia' /t REG_SZ /d 'Noto Serif'
reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'Consolas' /t REG_SZ /d 'DejaVu Sans Mono'
reg 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi"
reg 'HKCU\Software\Wine\Fonts' /v LogPixels /t REG_DWORD /d "$dpi"
# Without a window manager, hiding a managed window waits two seconds for one; ours are unmanaged.
reg 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N
# No crash dialogs: a crashing test program simply ends.
reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
"$@"
