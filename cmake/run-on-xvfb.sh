#!/usr/bin/env bash
# Runs a Windows program of the build under a virtual X display of the given
# depth, on a Wine desktop of its own: that desktop's process starts on this
# display (the prefix's default desktop was started without one, and could
# make no windows), and the programs it starts inherit the desktop.
# Usage: run-on-xvfb.sh WINE_RUN DEPTH PROGRAM [ARGS...]
set -euo pipefail
wine_run=$1
depth=$2
program=$3
shift 3

reg() { sh "$wine_run" reg "$@" >/dev/null 2>&1 || true; }
desktop="hue-$(basename "$program" .exe)-$$"
desktops='HKCU\Software\Wine\Explorer\Desktops'
defaults="HKCU\\Software\\Wine\\AppDefaults\\$(basename "$program")"
cleanup() {
  reg delete "$defaults\\Explorer" /f
  reg delete "$desktops" /v "$desktop" /f
}
trap cleanup EXIT
reg add "$desktops" /v "$desktop" /d 1024x768 /f
reg add "$defaults\\Explorer" /v Desktop /d "$desktop" /f

set +e
xvfb-run -a -s "-screen 0 1024x768x$depth" sh "$wine_run" "$program" "$@" | tr -d '\r'
status=${PIPESTATUS[0]}
set -e
exit "$status"
