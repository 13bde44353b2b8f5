#!/usr/bin/env bash
# Sets up the machine, builds both architectures and runs every test.
# The x86_64 build runs under Wine; the i686 build is compiled and linked and
# its binaries are checked, but not executed (this machine cannot run 32-bit
# code).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${HUE_BUILD_DIR:-$root/build}
jobs=$(nproc)

bash "$root/scripts/setup.sh"

for arch in i686 x86_64; do
  cmake -S "$root" -B "$build/$arch" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DHUE_WINEPREFIX="$build/wineprefix"
  cmake --build "$build/$arch" -j"$jobs"
done

prefix=$build/wineprefix
bash "$root/scripts/wine-prefix.sh" create "$prefix"
bash "$root/scripts/wine-prefix.sh" start "$prefix"
trap 'bash "$root/scripts/wine-prefix.sh" stop "$prefix"' EXIT

ctest --test-dir "$build/i686" --output-on-failure
ctest --test-dir "$build/x86_64" --output-on-failure -j"$jobs"
