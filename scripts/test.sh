#!/bin/bash
# Sets up what is missing, builds, and runs the whole test suite under Wine.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
"$root/scripts/install-deps.sh"
BUILD_DIR="$build" "$root/scripts/build.sh"
"$root/scripts/wine-session.sh" start "$build/wineprefix"
status=0
(cd "$build" && ctest --output-on-failure -j"$(nproc)" "$@") || status=$?
"$root/scripts/wine-session.sh" stop "$build/wineprefix"
exit $status
