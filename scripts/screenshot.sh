#!/usr/bin/env bash
# Takes the README's screenshot (docs/screenshot.png) again: the reader on the sample book
# inside a Wine virtual desktop, with Wine's fonts, on a virtual display of its own. The
# reader is driven by window messages (tools/screenshot): Search opened, so that Contents and
# Search share their group with a tab each, the "Attachments" item chosen, so that the
# Attachments pane opens along the bottom, and Contents shown again. The advertisement pane
# shows a cached sample feed: the prefix's settings folder holds one, and the feed's own
# address does not answer here.
#
#   bash scripts/screenshot.sh [OUTPUT.png]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

OUT="$(realpath -m "${1:-$ROOT/docs/screenshot.png}")"
DESKTOP=960x720
ensure_setup
flavour="$(runnable_flavours | head -1)"
[ -n "$flavour" ] || { echo "no flavour runs on this machine" >&2; exit 1; }
configure_flavour "$flavour"
cmake --build "$BUILD_ROOT/$flavour" -j "$(nproc)" --target FolionyxReader reader_screenshot
BUILD="$BUILD_ROOT/$flavour"
windows_path() { echo "Z:${1//\//\\}"; }

# A fresh prefix each time, so that no state of an earlier run shows.
wine_environment "$flavour" "$BUILD/prefixes/screenshot"
rm -rf "$WINEPREFIX"
make_prefix_from "$BUILD/prefixes/template"
SETTINGS="$WINEPREFIX/drive_c/FolionyxSettings"
mkdir -p "$SETTINGS"
cat >"$SETTINGS/Ad.xml" <<'FEED'
<Ads>
  <Ad Title="Make your own e-book with Folionyx" URL="http://www.folionyx.example/make"/>
  <Ad Title="New: the FolionyxReader guide to illustrated books" URL="http://www.folionyx.example/guide"/>
</Ads>
FEED
READY="$WINEPREFIX/drive_c/screenshot-ready"

trap 'stop_wine; stop_xvfb' EXIT
start_xvfb
start_wine
"$WINELOADER" reg.exe add 'HKCU\Software\Vemlorat\Folionyx' /v 'Settings folder' /d 'C:\FolionyxSettings\' /f \
  </dev/null >/dev/null 2>&1
"$WINELOADER" explorer.exe "/desktop=Folionyx,$DESKTOP" "$(windows_path "$BUILD/bin/reader_screenshot.exe")" \
  "$(windows_path "$BUILD/bin/FolionyxReader.exe")" Attachments 'C:\screenshot-ready' </dev/null &
for _ in $(seq 1 1200); do
  [ -f "$READY" ] && break
  sleep 0.1
done
[ -f "$READY" ] || { echo "the reader did not get ready for the screenshot" >&2; exit 1; }
import -window root -crop "$DESKTOP+0+0" +repage "$OUT"
echo "Screenshot of the reader: $OUT"
