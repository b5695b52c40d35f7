#!/bin/bash
# Installs whatever a fresh Debian 12 machine lacks to build, run and test
# the plug-in. Safe to run again: it skips what is already there.
set -euo pipefail
packages=(cmake make g++-mingw-w64-i686 mingw-w64-i686-dev wine wine32:i386
          fonts-wine fonts-arphic-uming fonts-wqy-zenhei googletest xvfb imagemagick
          nsis zip unzip xdotool)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
here="$(cd "$(dirname "$0")" && pwd)"
if [ ${#missing[@]} -eq 0 ]; then
  "$here/enable-i386.sh"
  exit 0
fi
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
echo "Installing: ${missing[*]}"
$SUDO apt-get update -q
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
"$here/enable-i386.sh"
