#!/bin/bash
# Builds gen_qlv.dll in release form and everything a user downloads, into
# build-release/release/:
#   gen_qlv.dll, Scrivane.html     the plug-in and its help page, side by side;
#   Scrivane.zh-TW.html,           the help page in Traditional and in
#   Scrivane.zh-CN.html            Simplified Chinese
#   INSTALL.txt, scrivane.txt      the install note and the skin authors' example
#                                  (Windows line endings)
#   Qelvar-Scrivane-II-1.0-setup.exe   the installer (NSIS)
#   qelvar-scrivane-ii-1.0.zip     the DLL, the three help pages, INSTALL.txt, scrivane.txt
# BUILD_DIR (default build-release) moves it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build-release}"
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE=MinSizeRel -DQLV_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target gen_qlv installer
out="$build/release"
rm -rf "$out"
mkdir -p "$out"
pages=(Scrivane.html Scrivane.zh-TW.html Scrivane.zh-CN.html)
cp "$build/bin/gen_qlv.dll" "${pages[@]/#/$root/docs/}" "$build/bin/Qelvar-Scrivane-II-1.0-setup.exe" "$out/"
# Notepad before Windows 10 shows a file with bare line feeds as one long line.
crlf() { sed 's/\r*$/\r/' "$1" >"$2"; }
crlf "$root/docs/INSTALL.txt" "$out/INSTALL.txt"
crlf "$root/docs/scrivane.txt" "$out/scrivane.txt"
zip="$out/qelvar-scrivane-ii-1.0.zip"
(cd "$out" && zip -q -X "$zip" gen_qlv.dll "${pages[@]}" INSTALL.txt scrivane.txt)
listing="$(unzip -Z1 "$zip")"
for f in gen_qlv.dll "${pages[@]}" INSTALL.txt scrivane.txt; do
  grep -qx "$f" <<<"$listing" || { echo "release.sh: $f is missing from $zip" >&2; exit 1; }
done

echo
for f in gen_qlv.dll Qelvar-Scrivane-II-1.0-setup.exe qelvar-scrivane-ii-1.0.zip; do
  printf 'Release: %s (%s bytes)\n' "$out/$f" "$(stat -c %s "$out/$f")"
done
echo "Beside them: ${pages[*]} (help pages), INSTALL.txt, scrivane.txt (example for skin authors)"
i686-w64-mingw32-objdump -p "$out/gen_qlv.dll" | sed -n 's/^\tDLL Name: /  gen_qlv.dll imports /p'
