#!/usr/bin/env bash
# Runs the applet's dialog tests on a virtual X display: the in-process tests
# of the preferences dialog, and the real program driven from outside.
# Usage: check-applet.sh WINE_RUN DIALOG_TESTS DRIVER OUT_DIR
set -euo pipefail
wine_run=$1
tests=$2
driver=$3
out=$4
run_on_xvfb="$(dirname "$0")/../../cmake/run-on-xvfb.sh"
mkdir -p "$out"
rm -f "$out"/huecfg-*.bmp "$out"/huecfg-*.png

status=0
bash "$run_on_xvfb" "$wine_run" 24 "$tests" || status=1
win() { local path=$1; echo "Z:${path//\//\\}"; }
bash "$run_on_xvfb" "$wine_run" 24 "$driver" "$(win "$out/huecfg-preferences.bmp")" \
  "$(win "$out/huecfg-about.bmp")" || status=1
for shot in "$out"/huecfg-*.bmp; do
  [ -f "$shot" ] || continue
  convert "$shot" "${shot%.bmp}.png" && rm -f "$shot"
  echo "screenshot: ${shot%.bmp}.png"
done
exit "$status"
