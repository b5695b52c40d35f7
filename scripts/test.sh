#!/bin/bash
# Sets up what is missing, builds, and runs the whole test suite under Wine.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
"$root/scripts/install-deps.sh"
BUILD_DIR="$build" "$root/scripts/build.sh"
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all
wineserver -p 2>/dev/null || true
status=0
(cd "$build" && ctest --output-on-failure -j"$(nproc)" "$@") || status=$?
wineserver -k 2>/dev/null || true
exit $status
