#!/usr/bin/env bash
# Checks the tinted system folder icon with icoutils' icotool, a reader
# outside our code: it must list the same images as our own directory says.
# Usage: check-icotool.sh WINE_RUN SAMPLE_EXE WORK_DIR
set -euo pipefail
wine_run=$1
sample=$2
work=$3
mkdir -p "$work"
ico="$work/tinted-folder.ico"
rm -f "$ico"

ours=$(sh "$wine_run" "$sample" "Z:${ico//\//\\}" | tr -d '\r')
theirs=$(icotool -l "$ico" |
  sed -E 's/.*--index=([0-9]+) --width=([0-9]+) --height=([0-9]+) --bit-depth=([0-9]+).*/\1 \2 \3 \4/')

echo "our listing:"; echo "$ours"
echo "icotool's listing:"; echo "$theirs"
if [ -z "$ours" ] || [ "$ours" != "$theirs" ]; then
  echo "check-icotool: the listings differ" >&2
  exit 1
fi
# icotool extracts every image, the PNG one included.
icotool -x -o "$work" "$ico"
echo "check-icotool: $(echo "$ours" | wc -l) images agree"
