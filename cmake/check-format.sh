#!/usr/bin/env bash
# Fails when a C++ source of the project is not formatted by .clang-format.
# Usage: check-format.sh SOURCE_DIR
set -euo pipefail
cd "$1"
mapfile -t files < <(find common core icons applet reqcheck cli \
  -type f \( -name '*.cpp' -o -name '*.h' \) 2>/dev/null | sort)
if [ ${#files[@]} -eq 0 ]; then
  echo "check-format: no sources found" >&2
  exit 1
fi
clang-format-14 --dry-run --Werror "${files[@]}"
echo "check-format: ${#files[@]} files formatted"
