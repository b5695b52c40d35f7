#!/bin/bash
# Makes the build's private Wine prefix: headless graphics, the classic
# Windows fonts and a Traditional Chinese font. Does nothing when it exists.
# Usage: setup-wine-prefix.sh PREFIX [--with-display]
#   --with-display  keeps Wine's X11 graphics (no null driver), for a prefix
#                   that opens real windows on $DISPLAY (the live demo); the
#                   tests' prefix stays headless.
set -euo pipefail
prefix="$1"
display=0
[ "${2:-}" = "--with-display" ] && display=1
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ -f "$prefix/.qlv-ready-2" ]; then
  exit 0
fi
mkdir -p "$prefix"
wineboot -i >/dev/null 2>&1 || true
if [ $display -eq 0 ]; then
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
fi
fonts="$prefix/drive_c/windows/Fonts"
mkdir -p "$fonts"
for f in $(dpkg -L fonts-wine 2>/dev/null | grep -E '\.(fon|ttf)$'); do cp -f "$f" "$fonts/"; done
for f in $(dpkg -L fonts-arphic-uming fonts-wqy-zenhei 2>/dev/null | grep -E '\.tt[fc]$'); do cp -f "$f" "$fonts/"; done
# The dialogs ask for the player's Traditional Chinese UI face, which Wine
# does not have; a proportional Chinese face keeps their labels closest to
# how they look in the player.
regfile="$(cd "$(dirname "$0")" && pwd)/dialog-font.reg"
wine regedit /S "Z:${regfile//\//\\}" >/dev/null 2>&1 || true
wineserver -w || true
touch "$prefix/.qlv-ready-2"
