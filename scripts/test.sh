#!/usr/bin/env bash
# Builds everything and runs every test executable under Wine on a private Xvfb display.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

build_all
trap 'stop_wine; stop_xvfb' EXIT
start_xvfb
start_wine
cd "$BUILD"
ctest -j "$(nproc)" --output-on-failure "$@"
