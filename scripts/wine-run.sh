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
exec env LC_ALL="${QLV_LOCALE:-zh_TW.UTF-8}" wine "$@"
