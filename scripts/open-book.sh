#!/usr/bin/env bash
# Builds the reader and opens the sample book under Wine: the 32-bit reader (the product) where
# this machine runs 32-bit programs, the 64-bit one otherwise. With DISPLAY set it opens on that
# display (inside a Wine virtual desktop); otherwise on a virtual display of its own, saving a
# screenshot and printing its path.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_setup
flavour="$(runnable_flavours | head -1)"
[ -n "$flavour" ] || { echo "no flavour runs on this machine" >&2; exit 1; }
echo "opening the $flavour reader"
build_flavour "$flavour"
BUILD="$BUILD_ROOT/$flavour"
EXE="$BUILD/bin/FolionyxReader.exe"
wine_environment "$flavour" "$BUILD/prefixes/open-book"
make_prefix_from "$BUILD/prefixes/template"
if [ -n "${DISPLAY:-}" ] && [ "${FOLIONYX_SCREENSHOT:-0}" != 1 ]; then
  trap 'stop_wine' EXIT
  start_wine
  "$WINELOADER" explorer.exe /desktop=Folionyx,1280x1000 "$EXE"
else
  trap 'stop_wine; stop_xvfb' EXIT
  start_xvfb
  start_wine
  "$WINELOADER" explorer.exe /desktop=Folionyx,1280x1000 "$EXE" &
  APP=$!
  sleep "${FOLIONYX_SCREENSHOT_DELAY:-6}"
  SHOT="$BUILD/screenshot.png"
  import -window root "$SHOT"
  echo "Screenshot of the reader: $SHOT"
  "$WINESERVER" -k 2>/dev/null || true
  wait "$APP" 2>/dev/null || true
fi
