#!/usr/bin/env bash
# The Wine prefix of a test run. Usage:
#   wine-prefix.sh create PREFIX   make a new prefix (an old one is removed)
#   wine-prefix.sh start PREFIX    keep its server alive until stop
#   wine-prefix.sh stop PREFIX     stop its server and every program in it
set -euo pipefail
cmd=$1
export WINEPREFIX=$2
export WINEDEBUG=-all

reg() { wine reg "$@" >/dev/null; }

case $cmd in
create)
  if [ -d "$WINEPREFIX" ]; then
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
  fi
  mkdir -p "$(dirname "$WINEPREFIX")"
  # Without mono and gecko: nothing here needs them, and they cannot be
  # fetched.
  WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -u
  wineserver -w
  # A crash must fail its test. By default Wine starts winedbg on an
  # unhandled exception, and the process may then exit 0. Point the
  # post-mortem debugger at a program that does not exist (deleting the value
  # is not enough), and never show a crash dialog (it could hang a test).
  reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
    /v Debugger /d no-such-debugger.exe /f
  reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
    /v Auto /d 1 /f
  reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
  wineserver -w
  ;;
start)
  # A server that stays up makes each test program start in a fraction of a
  # second instead of more than one.
  wineserver -p
  # The first program started in a prefix brings up Wine's system processes
  # (services, explorer), which stay with the server and inherit that
  # program's standard handles. Start them here, detached from any pipe, so
  # that they never hold a test's output open and make it time out.
  wine cmd /c exit </dev/null >/dev/null 2>&1
  ;;
stop)
  wineserver -k 2>/dev/null || true
  ;;
*)
  echo "usage: $0 create|start|stop PREFIX" >&2
  exit 2
  ;;
esac
