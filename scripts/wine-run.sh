#!/usr/bin/env bash
# Runs one Windows program of a flavour under Wine in a prefix of its own, and exits with its
# exit code. The build runs its tools through it, and CTest each test executable.
#
#   wine-run.sh [--display] PREFIX PROGRAM [ARGUMENTS...]
#
# FOLIONYX_FLAVOUR names the flavour (i686 or x86_64). A missing PREFIX is made as a copy of
# FOLIONYX_PREFIX_TEMPLATE (which is made first if missing). With --display the program gets a
# virtual display and a Wine server of its own, so that programs that move the pointer, press
# keys or need the foreground can run side by side without reaching each other's windows.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

display=0
if [ "${1:-}" = "--display" ]; then display=1; shift; fi
[ $# -ge 2 ] || { echo "usage: wine-run.sh [--display] PREFIX PROGRAM [ARGUMENTS...]" >&2; exit 2; }
prefix="$1"; shift

wine_environment "${FOLIONYX_FLAVOUR:?FOLIONYX_FLAVOUR names the flavour}" "$prefix"
if [ -n "${FOLIONYX_PREFIX_TEMPLATE:-}" ]; then
  make_prefix_from "$FOLIONYX_PREFIX_TEMPLATE"
else
  make_prefix_locked
fi

if [ "$display" = 1 ]; then
  trap 'stop_wine; stop_xvfb' EXIT
  trap 'exit 143' TERM INT
  start_xvfb
  start_wine
else
  unset DISPLAY
fi
status=0
"$WINELOADER" "$@" </dev/null || status=$?
exit "$status"
