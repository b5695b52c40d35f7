#!/bin/bash
# Makes the build's private Wine prefix: headless graphics, the classic
# Windows fonts and a Traditional Chinese font linked to the common faces.
# Does nothing when it exists.
# Usage: setup-wine-prefix.sh PREFIX [--with-display]   (PREFIX may be relative)
#   --with-display  keeps Wine's X11 graphics (no null driver), for a prefix
#                   that opens real windows on $DISPLAY (the live demo); the
#                   tests' prefix stays headless.
set -euo pipefail
prefix="$(realpath -m -- "$1")"
display=0
[ "${2:-}" = "--with-display" ] && display=1
here="$(cd "$(dirname "$0")" && pwd)"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ -f "$prefix/.qlv-ready-4" ]; then
  exit 0
fi
fail() { echo "setup-wine-prefix.sh: $1 in $prefix:" >&2; cat "$log" >&2; exit 1; }
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
winpath() { echo "Z:${1//\//\\}"; }

mkdir -p "$prefix"
# A session left running for this prefix (wine-session.sh start) would keep
# the last step below waiting for its persistent wineserver for ever.
wineserver -k </dev/null >/dev/null 2>&1 || true
# wineboot's exit code says little; the steps after it fail, saying why, when
# Wine cannot run, and a prefix without its registry at the end is a failure.
wineboot -i </dev/null >"$log" 2>&1 || true
if [ $display -eq 0 ]; then
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >"$log" 2>&1 ||
    fail "the null graphics driver could not be set"
fi
fonts="$prefix/drive_c/windows/Fonts"
mkdir -p "$fonts"
for f in $(dpkg -L fonts-wine 2>/dev/null | grep -E '\.(fon|ttf)$'); do cp -f "$f" "$fonts/"; done
for f in $(dpkg -L fonts-arphic-uming fonts-wqy-zenhei 2>/dev/null | grep -E '\.tt[fc]$'); do cp -f "$f" "$fonts/"; done

# Font link: a face without Chinese glyphs borrows them from the Chinese fonts
# above, as Windows does with its own fonts, so a Big5 title in DejaVu Sans
# shows characters instead of boxes. Linked here: the outline faces the prefix
# has whose links Wine leaves alone. Wine rewrites the links of its own faces
# (Tahoma, Microsoft Sans Serif, ...) whenever the code page changes; draws a
# face it lacks (Arial, say) wholly in the first linked font, Latin letters
# too; and keeps the boxes of its bitmap faces (MS Sans Serif, Small Fonts).
sans="wqy-zenhei.ttc,WenQuanYi Zen Hei|uming.ttc,AR PL UMing TW"
serif="uming.ttc,AR PL UMing TW|wqy-zenhei.ttc,WenQuanYi Zen Hei"
links=("DejaVu Sans:$sans" "DejaVu Sans Mono:$sans" "DejaVu Serif:$serif")
multi_sz() {   # REG_MULTI_SZ as a REGEDIT4 hex(7) list: each string and a final NUL
  { printf '%s\0' "$@"; printf '\0'; } | od -An -v -tx1 | tr -s ' \n' '  ' | sed 's/^ //; s/ $//; s/ /,/g'
}
linkfile="$prefix/qlv-font-link.reg"
{
  echo "REGEDIT4"
  echo
  echo "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]"
  for link in "${links[@]}"; do
    IFS='|' read -r -a children <<<"${link#*:}"
    echo "\"${link%%:*}\"=hex(7):$(multi_sz "${children[@]}")"
  done
} >"$linkfile"
wine regedit /S "$(winpath "$linkfile")" </dev/null >"$log" 2>&1 || fail "the font link could not be imported"
# The Chinese dialogs ask for the faces Traditional and Simplified Chinese
# Windows give their dialogs, which Wine does not have; a proportional Chinese
# face keeps their labels closest to how they look in the player.
wine regedit /S "$(winpath "$here/dialog-font.reg")" </dev/null >"$log" 2>&1 ||
  fail "the dialog face could not be imported"
wineserver -w || true   # also writes the registry to disk
[ -f "$prefix/system.reg" ] || { : >"$log"; fail "Wine wrote no registry"; }
touch "$prefix/.qlv-ready-4"
