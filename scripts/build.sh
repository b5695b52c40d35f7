#!/bin/bash
# Configures and builds everything into BUILD_DIR (default: build).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
type="${BUILD_TYPE:-RelWithDebInfo}"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE="$type" -DQLV_BUILD_TESTS="${QLV_BUILD_TESTS:-ON}" >/dev/null
cmake --build "$build" -j"$(nproc)" "$@"
"$root/scripts/setup-wine-prefix.sh" "$build/wineprefix"
