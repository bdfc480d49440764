#!/usr/bin/env bash
# Builds every flavour this machine can run and runs every test executable of each under Wine.
# Each test executable gets its own virtual display and Wine server (scripts/wine-run.sh).
# Extra arguments go to ctest (-R framework_tests, say). Fails if any flavour that ran fails.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_setup
mapfile -t flavours < <(runnable_flavours)
[ "${#flavours[@]}" -gt 0 ] || { echo "no flavour runs on this machine" >&2; exit 1; }
echo "flavours to build and test: ${flavours[*]}"

failed=()
for flavour in "${flavours[@]}"; do
  echo "=== $flavour: build"
  build_flavour "$flavour"
  echo "=== $flavour: tests"
  (cd "$BUILD_ROOT/$flavour" && ctest -j "$(nproc)" --output-on-failure "$@") || failed+=("$flavour")
done

echo "flavours tested: ${flavours[*]}"
if [ "${#failed[@]}" -gt 0 ]; then
  echo "flavours that failed: ${failed[*]}" >&2
  exit 1
fi
