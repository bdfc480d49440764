#!/usr/bin/env bash
# Builds every flavour on every machine and runs every test executable of each flavour that
# runs here under Wine. Each test executable gets its own virtual display and Wine server
# (scripts/wine-run.sh). Extra arguments go to ctest (-R framework_tests, say). Fails if any
# flavour fails to build or any tested flavour fails its tests.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_setup

# The flavours that run here come first: a flavour that cannot run builds with the book packer
# of one that can, which is then already built.
running=()
idle=()
declare -A why_idle
for flavour in "${ALL_FLAVOURS[@]}"; do
  if flavour_runs "$flavour"; then
    running+=("$flavour")
  else
    idle+=("$flavour")
    why_idle[$flavour]="this machine cannot start its Wine loader $(wine_loader "$flavour")"
    why_idle[$flavour]+=" (it runs no $( [ "$flavour" = i686 ] && echo 32 || echo 64)-bit program)"
  fi
done
[ "${#running[@]}" -gt 0 ] || { echo "no flavour runs on this machine: nothing can pack the book" >&2; exit 1; }
echo "flavours to build: ${running[*]} ${idle[*]}; to test: ${running[*]}"

built=()
build_failed=()
for flavour in "${running[@]}" "${idle[@]}"; do
  echo "=== $flavour: build"
  # A subshell with its own errexit, so that a failed build stops that flavour only and the
  # other flavours still build and test.
  set +e
  (set -e; build_flavour "$flavour")
  status=$?
  set -e
  if [ "$status" = 0 ]; then built+=("$flavour"); else build_failed+=("$flavour"); fi
done

tested=()
test_failed=()
for flavour in "${running[@]}"; do
  if [[ " ${build_failed[*]} " == *" $flavour "* ]]; then
    why_idle[$flavour]="it did not build"
    continue
  fi
  echo "=== $flavour: tests"
  tested+=("$flavour")
  (cd "$BUILD_ROOT/$flavour" && ctest -j "$(nproc)" --output-on-failure "$@") || test_failed+=("$flavour")
done

echo "flavours built: ${built[*]:-none}"
[ "${#build_failed[@]}" = 0 ] || echo "flavours that failed to build: ${build_failed[*]}"
echo "flavours tested: ${tested[*]:-none}"
for flavour in "${ALL_FLAVOURS[@]}"; do
  [ -z "${why_idle[$flavour]:-}" ] || echo "flavour $flavour not tested: ${why_idle[$flavour]}"
done
[ "${#test_failed[@]}" = 0 ] || echo "flavours whose tests failed: ${test_failed[*]}"
if [ "${#build_failed[@]}" -gt 0 ] || [ "${#test_failed[@]}" -gt 0 ]; then
  exit 1
fi
