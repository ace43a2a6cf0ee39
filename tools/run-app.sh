#!/usr/bin/env bash
# Starts the application under Wine. With a display it shows there; without one it runs under a
# private Xvfb: tl5driver (tools/win/AppDriver.cpp) gives it the wallet's password and waits until
# the main window shows the open wallet's tree, and opens its folders; then build/screenshot.png is saved and the
# application is closed (the wallet saved and closed as by Exit).
# Usage: tools/run-app.sh BIN_DIR [--password PASSWORD] [ARGUMENTS...]
# TL5_RUN_DRIVER adds options to the driver (for example "--card 3 --rows 2" to show a card window);
# TL5_RUN_SCREEN sets the private screen's size (default 640x480x24).
# Without --password the screenshot shows whatever the application shows first.
set -euo pipefail
bin=$1
shift
password=""
if [ "${1:-}" = "--password" ]; then password=$2; shift 2; fi
args=("$@")
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
wine_run="$root/tools/wine-run.sh"
"$wine_run" --init

if [ -n "${DISPLAY:-}" ]; then
  exec "$wine_run" "$bin/ostrovtlpro5ppc.exe" "${args[@]}"
fi

shot="$root/build/screenshot.png"
rm -f "$shot"
# Everything below waits for conditions; each wait has its own bound, and the driver has its own limit.
TL5_RUN_PASSWORD="$password" "$root/tools/with-xvfb.sh" --screen "${TL5_RUN_SCREEN:-640x480x24}" bash -c '
  set -u
  wine_run=$1 shot=$2 bin=$3
  shift 3
  "$wine_run" "$bin/ostrovtlpro5ppc.exe" "$@" &
  app=$!
  status=0
  if [ -n "$TL5_RUN_PASSWORD" ]; then
    "$wine_run" "$bin/tl5driver.exe" --open "$TL5_RUN_PASSWORD" --expand ${TL5_RUN_DRIVER:-} --timeout 90 || status=$?
  else
    win=""
    for _ in $(seq 1 300); do
      win=$(xdotool search --name "^Tessellock Pro 5$" 2>/dev/null | head -n 1 || true)
      [ -n "$win" ] && break
      kill -0 $app 2>/dev/null || break
      sleep 0.2
    done
    [ -n "$win" ] || { echo "run-app: the main window did not appear" >&2; status=1; }
  fi
  # The screen has settled when two shots in a row are the same (also after a failure: it shows why).
  if kill -0 $app 2>/dev/null; then
    prev="$shot.prev.png"
    for _ in $(seq 1 25); do
      import -window root "$shot"
      [ -f "$prev" ] && cmp -s "$shot" "$prev" && break
      cp "$shot" "$prev"
      sleep 0.2
    done
    rm -f "$prev"
  fi
  "$wine_run" "$bin/tl5driver.exe" --close --timeout 30 >/dev/null 2>&1 || true
  for _ in $(seq 1 100); do kill -0 $app 2>/dev/null || break; sleep 0.1; done
  kill $app 2>/dev/null || true
  exit $status
' run-app "$wine_run" "$shot" "$bin" "${args[@]}" || status=$?
if [ "${status:-0}" -ne 0 ]; then
  [ -f "$shot" ] && echo "run-app: the application did not reach its open wallet; what it showed: $shot" >&2
  exit "$status"
fi
echo "Screenshot of the application: $shot"
