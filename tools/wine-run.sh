#!/usr/bin/env bash
# Runs a Windows program of ours under Wine, in the project's own Wine prefix (build/wineprefix).
# ctest uses this as the emulator of the Windows build tree; `make run` uses it for the application.
# The prefix is created on first use, without the Mono and Gecko download prompts.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine-run: creating the Wine prefix in $WINEPREFIX" >&2
    wineboot -i >/dev/null 2>&1 || true
    # Wine draws window frames and captions itself, so they look the same with or without a window manager.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1 || true
    wineserver -w || true
  fi
  # A program that crashes must end at once with a failure, not start Wine's debugger and wait in
  # its crash dialog until the test's time limit: no debugger for this prefix, and no dialog.
  if [ ! -f "$WINEPREFIX/.no-crash-debugger" ]; then
    for view in 64 32; do
      wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f /reg:$view >/dev/null 2>&1 || true
      wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /d 1 /f /reg:$view >/dev/null 2>&1 || true
    done
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
    wineserver -w || true
    touch "$WINEPREFIX/.no-crash-debugger"
  fi
) 9>"$WINEPREFIX.lock"
[ "${1:-}" = "--init" ] && exit 0
exec wine "$@"
