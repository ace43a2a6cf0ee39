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
) 9>"$WINEPREFIX.lock"
[ "${1:-}" = "--init" ] && exit 0
exec wine "$@"
