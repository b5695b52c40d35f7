#!/bin/bash
# Runs a Windows program in the build's private Wine prefix, headless.
# Usage: wine-run.sh PREFIX PROGRAM [ARGS...]   (PREFIX may be relative)
# Wine takes only an absolute prefix.
prefix="$(realpath -m -- "$1")"; shift
export WINEPREFIX="$prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# Code page 950 by default, so Big5 titles and the dialogs' Traditional
# Chinese captions come through; a caller may set its own locale.
# (Set through env: no glibc locale of that name is needed, and bash itself
# would complain about one it cannot load.)
# QLV_UI_LOCALE gives the interface language apart from the code page
# (LC_MESSAGES beside LC_CTYPE); Wine splits the two only when both locales
# are compiled, so the caller names them in LOCPATH.
if [ -n "${QLV_UI_LOCALE:-}" ]; then
  exec env -u LC_ALL -u LANG LC_CTYPE="${QLV_LOCALE:-zh_TW.UTF-8}" LC_MESSAGES="$QLV_UI_LOCALE" wine "$@"
fi
exec env LC_ALL="${QLV_LOCALE:-zh_TW.UTF-8}" wine "$@"
