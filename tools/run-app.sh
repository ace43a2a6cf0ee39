#!/usr/bin/env bash
# Starts the application under Wine. With a display it shows there; without one it runs under a
# private Xvfb, waits for the main window, saves build/screenshot.png and closes the application.
# Usage: tools/run-app.sh BIN_DIR [ARGUMENTS...]
set -euo pipefail
bin=$1
shift
args=("$@")
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
wine_run="$root/tools/wine-run.sh"
"$wine_run" --init

if [ -n "${DISPLAY:-}" ]; then
  exec "$wine_run" "$bin/ostrovtlpro5ppc.exe" "${args[@]}"
fi

shot="$root/build/screenshot.png"
"$root/tools/with-xvfb.sh" --screen 640x480x24 bash -c '
  set -u
  "$0" "$2" "${@:3}" &
  app=$!
  win=""
  for _ in $(seq 1 200); do
    win=$(xdotool search --name "^Tessellock Pro 5$" 2>/dev/null | head -n 1 || true)
    [ -n "$win" ] && break
    sleep 0.2
  done
  if [ -z "$win" ]; then echo "run-app: the main window did not appear" >&2; kill $app 2>/dev/null; exit 1; fi
  sleep 1.5
  import -window root "$1"
  xdotool windowactivate --sync "$win" key --clearmodifiers alt+F4 >/dev/null 2>&1 || true
  for _ in $(seq 1 50); do kill -0 $app 2>/dev/null || break; sleep 0.2; done
  kill $app 2>/dev/null || true
' "$wine_run" "$shot" "$bin/ostrovtlpro5ppc.exe" "${args[@]}"
echo "Screenshot of the application: $shot"
