#!/usr/bin/env bash
# Installs everything that building and testing need on a fresh Debian 12
# machine. Run as root; safe to run again (installs only what is missing).
set -euo pipefail

packages=(
  cmake
  make
  git
  g++-mingw-w64-x86-64-posix
  g++-mingw-w64-i686-posix
  gcc-mingw-w64-i686-win32-runtime
  binutils-mingw-w64-x86-64
  binutils-mingw-w64-i686
  googletest
  wine
  wine64
  xvfb
  xauth
  icoutils
  imagemagick
  fonts-dejavu-core
  clang-format-14
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup: missing packages: ${missing[*]}; run this script as root" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
fi
