#!/usr/bin/env bash
# The main job, end to end: builds huelabel, then labels a sample folder with
# each kind in turn under Wine and clears it again. Prints the folder's
# desktop.ini at each step and saves the folder's icon at each step as a PNG
# picture, with a contact sheet of them all.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${HUE_BUILD_DIR:-$root/build}
out=${HUE_DEMO_DIR:-$build/demo}

bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$build/x86_64" \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build/x86_64" -j"$(nproc)" --target huelabel >/dev/null

prefix=$build/demo-wineprefix
echo "Preparing Wine (a few seconds)..."
bash "$root/scripts/wine-prefix.sh" create "$prefix" >/dev/null 2>&1
bash "$root/scripts/wine-prefix.sh" start "$prefix"
trap 'bash "$root/scripts/wine-prefix.sh" stop "$prefix"' EXIT
export HUE_WINEPREFIX=$prefix

windows() { local path=$1; echo "Z:${path//\//\\}"; }
huelabel() { sh "$build/x86_64/wine-run.sh" "$build/x86_64/bin/huelabel.exe" "$@" | tr -d '\r'; }

rm -rf "$out"
folder="$out/Holiday Photos"
pictures="$out/icons"
mkdir -p "$folder" "$pictures"
echo "a photo" >"$folder/beach.jpg"
target=$(windows "$folder")

show() {
  echo
  echo "== $1"
  if [ -f "$folder/desktop.ini" ]; then
    echo "desktop.ini:"
    tr -d '\r' <"$folder/desktop.ini" | sed 's/^/    /'
  else
    echo "desktop.ini: (none)"
  fi
  echo "files: $(cd "$folder" && ls -A | tr '\n' ' ')"
  huelabel icon "$target" "$(windows "$pictures/$2.png")" 128 >/dev/null
}

echo "Sample folder: $folder"
echo "The label kinds:"
huelabel list | sed 's/^/    /'

show "before labelling" "0-before"
step=1
while read -r value name; do
  name=${name% #*}
  [ "$value" = 0 ] && continue
  huelabel set "$value" "$target" >/dev/null
  show "labelled $name: $(huelabel get "$target")" "$step-${name// /-}"
  step=$((step + 1))
done < <(huelabel list)
huelabel clear "$target" >/dev/null
show "cleared: $(huelabel get "$target")" "$step-cleared"

sheet=$out/contact-sheet.png
(cd "$pictures" && montage -font DejaVu-Sans -pointsize 14 -label '%t' \
  $(ls | sort -n) -tile 5x -geometry 128x128+12+12 -background '#d8d8d8' "$sheet")
echo
echo "The folder's icon at each step: $pictures/"
echo "Contact sheet of them all:      $sheet"
