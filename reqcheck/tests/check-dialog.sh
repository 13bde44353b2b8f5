#!/usr/bin/env bash
# Runs huereq in one state under a virtual X display and drives it from
# outside (huereq_dialog_driver). The state comes from the real
# environment: the display's depth, and Wine's per-program DLL override that
# refuses shlwapi.dll to huereq.exe alone.
# In the state where every check passes it also checks the run log in the
# prefix's c:\logs\hueline_vuzo: nothing without the directory, one file
# with the empty line and the colour line with it.
# Usage: check-dialog.sh WINE_RUN DRIVER STATE OUT_DIR WINEPREFIX
set -euo pipefail
wine_run=$1
driver=$2
state=$3
out=$4
prefix=$5
mkdir -p "$out"

depth=24
case $state in
colour | ie-colour) depth=8 ;;
esac
reg() { sh "$wine_run" reg "$@" >/dev/null 2>&1 || true; }
override='HKCU\Software\Wine\AppDefaults\huereq.exe'
trap 'reg delete "$override" /f' EXIT
case $state in
ie | ie-colour)
  reg add "$override\\DllOverrides" /v shlwapi /d disabled /f
  ;;
esac

shot="$out/huereq-$state"
rm -f "$shot.bmp" "$shot.png"

# The driver and the huereq it starts run on a Wine desktop of their own on
# a virtual display of this depth.
drive() {
  bash "$(dirname "$0")/../../cmake/run-on-xvfb.sh" "$wine_run" "$depth" "$driver" "$state" \
    "Z:${shot//\//\\}.bmp"
}

fail() {
  echo "check-dialog: $*" >&2
  exit 1
}

if [ "$state" = passed ]; then
  logs="$prefix/drive_c/logs"
  rm -rf "$logs"
  drive
  [ ! -e "$logs" ] || fail "a log was written without its directory"
  mkdir -p "$logs/hueline_vuzo"
  drive
  files=("$logs"/hueline_vuzo/*.log)
  [ ${#files[@]} -eq 1 ] && [ -f "${files[0]}" ] || fail "expected one log file"
  name=$(basename "${files[0]}")
  [[ $name =~ ^[0-9]{8}-[1-9]?[0-9][0-9]{4}\.log$ ]] || fail "log file name $name"
  mapfile -t lines < <(tr -d '\r' <"${files[0]}")
  [ ${#lines[@]} -eq 2 ] && [ -z "${lines[0]}" ] || fail "log lines: ${lines[*]}"
  [[ ${lines[1]} =~ ^[0-9]{4}\.[0-9]{2}\.[0-9]{2}\ [1-9]?[0-9]:[0-9]{2}:[0-9]{2}\ Number\ of\ colors:\ -1$ ]] ||
    fail "log line: ${lines[1]}"
  echo "log: ${files[0]}: ${lines[1]}"
  rm -rf "$logs"
  exit 0
fi

status=0
drive || status=$?
if [ -f "$shot.bmp" ]; then
  convert "$shot.bmp" "$shot.png" && rm -f "$shot.bmp"
  echo "screenshot: $shot.png"
fi
exit "$status"
