#!/usr/bin/env bash
# Labels a folder in which no new file can be made (the immutable attribute
# of the host's file system keeps even root from adding one) while its
# desktop.ini can still be rewritten: huelabel must report the failure and
# the folder must stay exactly as it was.
# Usage: check-write-failure.sh WINE_RUN HUELABEL WORK_DIR
set -euo pipefail
wine_run=$1
huelabel=$2
work=$3
folder="$work/locked"

unlock() { chattr -i "$folder" 2>/dev/null || true; }
trap unlock EXIT
unlock
rm -rf "$work"
mkdir -p "$folder"
printf '[.ShellClassInfo]\r\nIconFile=C:\\Icons\\x.ico\r\nIconIndex=5\r\n' >"$folder/desktop.ini"
if ! chattr +i "$folder" 2>/dev/null; then
  echo "SKIPPED: this file system cannot make a folder immutable (chattr +i)"
  exit 77
fi
before=$(ls -la "$folder"; cat "$folder/desktop.ini")

set +e
sh "$wine_run" "$huelabel" set hot "Z:${folder//\//\\}" >"$work/out.txt" 2>"$work/err.txt"
status=$?
set -e
cat "$work/err.txt"
after=$(ls -la "$folder"; cat "$folder/desktop.ini")

if [ "$status" -ne 1 ]; then
  echo "check-write-failure: exit status $status, expected 1" >&2
  exit 1
fi
if ! grep -q 'locked' "$work/err.txt"; then
  echo "check-write-failure: the failure does not name the folder" >&2
  exit 1
fi
if [ "$before" != "$after" ]; then
  echo "check-write-failure: the folder changed" >&2
  diff <(echo "$before") <(echo "$after") >&2 || true
  exit 1
fi
echo "check-write-failure: the label failed and the folder is as it was"
