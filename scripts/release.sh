#!/bin/bash
# Builds gen_qlv.dll in release form and puts it, with an install note, into
# build-release/release/, ready to copy into the player's Plugins folder.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build-release}"
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE=MinSizeRel -DQLV_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target gen_qlv
out="$build/release"
mkdir -p "$out"
cp "$build/bin/gen_qlv.dll" "$out/"
cp "$root/docs/INSTALL.txt" "$out/"
size=$(stat -c %s "$out/gen_qlv.dll")
echo "Release: $out/gen_qlv.dll ($size bytes)"
i686-w64-mingw32-objdump -p "$out/gen_qlv.dll" | sed -n 's/^\tDLL Name: /  imports /p'
