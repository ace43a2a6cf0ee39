#!/usr/bin/env bash
# Runs a command with DISPLAY pointing at a private Xvfb server, started and stopped here.
# Usage: tools/with-xvfb.sh [--screen WxHxD] command args...
set -uo pipefail
screen=1024x768x24
if [ "${1:-}" = "--screen" ]; then screen=$2; shift 2; fi
for n in $(seq 91 140); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { disp=$n; break; }
done
: "${disp:?no free X display number}"
Xvfb ":$disp" -screen 0 "$screen" -nolisten tcp -noreset >/tmp/xvfb-$disp.log 2>&1 &
xvfb=$!
for _ in $(seq 1 100); do
  [ -e "/tmp/.X11-unix/X$disp" ] && break
  sleep 0.1
done
export DISPLAY=":$disp"
"$@"
status=$?
# Wine's server would otherwise outlive the display it was started with.
WINEPREFIX="${WINEPREFIX:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/wineprefix}" wineserver -k >/dev/null 2>&1 || true
kill "$xvfb" 2>/dev/null
wait "$xvfb" 2>/dev/null
exit $status
