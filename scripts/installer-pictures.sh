#!/bin/bash
# Pictures of the installer's pages, taken on a private Xvfb display :98 in the
# demo's X11 Wine prefix, into the demo's folder:
#   installer-welcome.png, installer-folder.png, installer-finish.png
#       in Traditional Chinese (code page 950, as the demo runs)
#   installer-en-welcome.png, installer-en-folder.png, installer-en-finish.png
#       in English
# A stub player folder (installer-player/ there, with a winamp.exe) is
# registered as the player registers itself, so the folder page shows what
# the installer found; the installer really installs into it.
#
# Usage: scripts/installer-pictures.sh [SETUP.exe]
#   SETUP.exe defaults to the installer that the build makes.
# BUILD_DIR (default build) and DEMO_DIR (default $BUILD_DIR/demo) as for demo.sh.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
setup="${1:-}"
if [ -z "$setup" ]; then
  "$root/scripts/install-deps.sh"
  BUILD_DIR="$build" QLV_BUILD_TESTS=OFF "$root/scripts/build.sh" --target installer
  setup="$build/bin/Qelvar-Scrivane-II-1.0-setup.exe"
fi
setup="$(realpath -- "$setup")"
out="${DEMO_DIR:-$build/demo}"
mkdir -p "$out"
out="$(cd "$out" && pwd)"
prefix="$build/wineprefix-x11"
winpath() { echo "Z:${1//\//\\}"; }

if [ -e /tmp/.X98-lock ]; then
  echo "installer-pictures.sh: display :98 is taken (/tmp/.X98-lock); end that X server first" >&2
  exit 1
fi
Xvfb :98 -screen 0 1024x640x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
setup_pid=""
cleanup() {
  if [ -n "$setup_pid" ]; then kill "$setup_pid" 2>/dev/null || true; fi
  "$root/scripts/wine-session.sh" stop "$prefix"
  kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do [ -e /tmp/.X11-unix/X98 ] && break; sleep 0.1; done
export DISPLAY=:98

"$root/scripts/setup-wine-prefix.sh" "$prefix" --with-display
"$root/scripts/wine-session.sh" start "$prefix"
player="$out/installer-player"
mkdir -p "$player/Plugins"
printf 'MZ stub player' >"$player/winamp.exe"
reg="$out/installer-player.reg"
printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Winamp]\n@="%s"\n' \
  "$(winpath "$player" | sed 's/\\/\\\\/g')" >"$reg"
"$root/scripts/wine-run.sh" "$prefix" regedit /S "$(winpath "$reg")"

# The installer's window: the first visible top-level window to appear.
wait_for_window() {
  local id=""
  for _ in $(seq 100); do
    id="$(xdotool search --onlyvisible --name '.' 2>/dev/null | tail -n 1 || true)"
    [ -n "$id" ] && break
    sleep 0.2
  done
  echo "$id"
}
shoot() {   # WINDOW NAME WHAT
  sleep 1.5
  import -display :98 -window "$1" "$out/$2"
  printf '%-28s %s\n' "$2" "$3"
}

status=0
for lang in zh en; do
  if [ "$lang" = zh ]; then locale=zh_TW.UTF-8; stem=installer; else locale=en_US.UTF-8; stem=installer-en; fi
  rm -f "$player/Plugins/gen_qlv.dll" "$player"/Plugins/Scrivane*.html "$player/Plugins/uninstall_gen_qlv.exe"
  QLV_LOCALE=$locale "$root/scripts/wine-run.sh" "$prefix" "$setup" </dev/null >/dev/null 2>&1 &
  setup_pid=$!
  window="$(wait_for_window)"
  if [ -z "$window" ]; then
    echo "installer-pictures.sh: the installer opened no window" >&2
    status=1
    break
  fi
  shoot "$window" "$stem-welcome.png" "the welcome page ($locale)"
  xdotool key Return
  shoot "$window" "$stem-folder.png" "the folder page: the player found by its registration"
  xdotool key Return
  # The uninstaller is written last; the finish page follows the progress page.
  for _ in $(seq 100); do [ -e "$player/Plugins/uninstall_gen_qlv.exe" ] && break; sleep 0.2; done
  sleep 2
  shoot "$window" "$stem-finish.png" "the finish page, gen_qlv.dll installed"
  kill "$setup_pid" 2>/dev/null || true
  wait "$setup_pid" 2>/dev/null || true
  setup_pid=""
done
echo "Installer pictures: $out"
exit $status
