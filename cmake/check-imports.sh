#!/usr/bin/env bash
# Fails when a built DLL or program imports a toolchain runtime DLL: callers
# load our DLLs into processes where such a DLL may be missing or another
# version. Usage: check-imports.sh OBJDUMP BINDIR [ALLOWED_DLL...]
# An allowed DLL (the i686 build's shared unwinder) must lie in BINDIR and
# import no runtime DLL itself.
set -euo pipefail
objdump=$1
bindir=$2
shift 2
allowed=("$@")

shopt -s nullglob
binaries=("$bindir"/*.dll "$bindir"/*.exe)
if [ ${#binaries[@]} -eq 0 ]; then
  echo "check-imports: no binaries in $bindir" >&2
  exit 1
fi

status=0
for bin in "${binaries[@]}"; do
  imports=$("$objdump" -p "$bin" | sed -n 's/^[[:space:]]*DLL Name: //p')
  if [ -z "$imports" ]; then
    echo "check-imports: $bin: no import table found" >&2
    status=1
    continue
  fi
  bad=$(grep -iE '^(libstdc\+\+|libgcc_s|libwinpthread)' <<<"$imports" || true)
  for dll in "${allowed[@]}"; do
    bad=$(grep -ivxF "$dll" <<<"$bad" || true)
    if grep -qixF "$dll" <<<"$imports" && [ ! -f "$bindir/$dll" ]; then
      echo "check-imports: $bin imports $dll, which is not shipped in $bindir" >&2
      status=1
    fi
  done
  if [ -n "$bad" ]; then
    echo "check-imports: $bin imports toolchain runtime DLLs:" $bad >&2
    status=1
  fi
done
echo "check-imports: ${#binaries[@]} binaries checked"
exit $status
