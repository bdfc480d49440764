#!/usr/bin/env bash
# Builds everything and opens the sample book in the reader under Wine.
# With DISPLAY set it opens on that display; otherwise on a virtual display,
# saving a screenshot and printing its path.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

build_all
EXE="$BUILD/bin/FolionyxReader.exe"
if [ -n "${DISPLAY:-}" ] && [ "${FOLIONYX_SCREENSHOT:-0}" != 1 ]; then
  trap 'stop_wine' EXIT
  start_wine
  wine explorer /desktop=Folionyx,1280x1000 "$EXE"
else
  trap 'stop_wine; stop_xvfb' EXIT
  start_xvfb
  start_wine
  wine explorer /desktop=Folionyx,1280x1000 "$EXE" &
  APP=$!
  sleep "${FOLIONYX_SCREENSHOT_DELAY:-6}"
  SHOT="$BUILD/screenshot.png"
  import -window root "$SHOT"
  echo "Screenshot of the reader: $SHOT"
  wineserver -k 2>/dev/null || true
  wait "$APP" 2>/dev/null || true
fi
