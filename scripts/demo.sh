#!/bin/bash
# Sets up what is missing, builds, and runs the demo: the real DLL in the
# emulated host, saving pictures into a folder whose path it prints.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
"$root/scripts/install-deps.sh"
BUILD_DIR="$build" QLV_BUILD_TESTS=OFF "$root/scripts/build.sh" --target emulated_host_app gen_qlv
out="${DEMO_DIR:-$build/demo}"
mkdir -p "$out"
winout="Z:$(echo "$out" | sed 's|/|\\|g')"
"$root/scripts/wine-session.sh" start "$build/wineprefix"
"$root/scripts/wine-run.sh" "$build/wineprefix" "$build/bin/emulated_host_app.exe" --demo "$winout" "$@"
echo "Demo pictures: $out"
