#!/bin/bash
# See it run: sets up what is missing, builds, and runs the real gen_qlv.dll in
# the emulated player with skins the demo draws itself.
#
#   scripts/demo.sh             pictures of each scene, animated pictures of the
#                               scrolling title, both dialogs in Chinese and in
#                               English, and the help page as a browser shows it
#                               (headless Chromium, only where it is installed:
#                               without it one line says how to get them), in a
#                               folder it prints at the end; with $DISPLAY set,
#                               the live player on that display
#   scripts/demo.sh --pictures  the pictures, even with $DISPLAY set
#   scripts/demo.sh --live      the live player on $DISPLAY, until its window closes
#   scripts/demo.sh --xvfb      the live player on a private Xvfb display :99, for
#                               16 seconds, with screenshots into the folder
#   scripts/demo.sh --help-pictures
#                               only the help page's pictures; installs Debian's
#                               chromium (a web browser) first when it is missing
#   scripts/demo.sh --readme-pictures
#                               only the scenes the README shows, written again
#                               into docs/pictures/
#   --seconds=N                 with --live or --xvfb: end after N seconds
#   --ini FILE                  your own plugin.ini: its [Qelvar Scrivane II] keys are
#                               laid over the demo's settings (FILE is only read)
#
# BUILD_DIR (default build) and DEMO_DIR (default $BUILD_DIR/demo) move the
# build and the pictures; CHROMIUM (default chromium) names the browser's command.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
mode=auto
seconds=""
user_ini=""
while [ $# -gt 0 ]; do
  arg="$1"
  shift
  case "$arg" in
    --pictures) mode=pictures ;;
    --live) mode=live ;;
    --xvfb) mode=xvfb ;;
    --help-pictures) mode=help ;;
    --readme-pictures) mode=readme ;;
    --seconds=*) seconds="${arg#--seconds=}" ;;
    --ini=*) user_ini="${arg#--ini=}" ;;
    --ini)
      [ $# -gt 0 ] || { echo "demo.sh: --ini needs a file" >&2; exit 2; }
      user_ini="$1"
      shift ;;
    -h|--help) sed -n '2,25s/^# \{0,1\}//p' "$0"; exit 0 ;;
    *) echo "demo.sh: unknown option $arg (try --help)" >&2; exit 2 ;;
  esac
done
if [ -n "$user_ini" ] && [ "$mode" = readme ]; then
  echo "demo.sh: the README's pictures are taken with the demo's own settings; leave out --ini" >&2
  exit 2
fi
if [ -n "$user_ini" ]; then
  [ -f "$user_ini" ] || { echo "demo.sh: no such file: $user_ini" >&2; exit 2; }
  user_ini="$(cd "$(dirname "$user_ini")" && pwd)/$(basename "$user_ini")"
fi
if [ "$mode" = auto ]; then
  if [ -n "${DISPLAY:-}" ]; then mode=live; else mode=pictures; fi
fi
if [ "$mode" = live ] && [ -z "${DISPLAY:-}" ]; then
  echo "demo.sh: --live needs a display (\$DISPLAY is not set); try --xvfb or --pictures" >&2
  exit 2
fi

out="${DEMO_DIR:-$build/demo}"
mkdir -p "$out"
out="$(cd "$out" && pwd)"
chromium="${CHROMIUM:-chromium}"

# The help pages in a real browser: each language's at 100 % and the English
# one also at 200 % zoom (half the width in CSS pixels, each drawn twice as
# large), into help-page-100.png, help-page-200.png, help-page-zh-tw-100.png
# and help-page-zh-cn-100.png.
help_page_pictures() {
  local profile shot page name zoom scale size
  for shot in "Scrivane help-page 100 1 1000,7000" "Scrivane help-page 200 2 500,2400" \
              "Scrivane.zh-TW help-page-zh-tw 100 1 1000,7000" "Scrivane.zh-CN help-page-zh-cn 100 1 1000,7000"; do
    read -r page name zoom scale size <<<"$shot"
    profile="$(mktemp -d)"
    if "$chromium" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
         --disable-background-networking --disable-component-update --disable-sync \
         --user-data-dir="$profile" --hide-scrollbars --force-device-scale-factor="$scale" \
         --window-size="$size" --screenshot="$out/$name-$zoom.png" \
         "file://$root/docs/$page.html" >/dev/null 2>&1 && [ -s "$out/$name-$zoom.png" ]; then
      printf '%-28s %s\n' "$name-$zoom.png" "the help page $page.html in Chromium at $zoom %"
    else
      echo "Chromium failed: no $name-$zoom.png"
      rm -rf "$profile"
      return 1
    fi
    rm -rf "$profile"
  done
}

# A browser is installed only when asked for: the scenes need none.
if [ "$mode" = help ]; then
  if ! command -v "$chromium" >/dev/null 2>&1; then
    INSTALL_DEPS_PACKAGES=chromium "$root/scripts/install-deps.sh"
    command -v "$chromium" >/dev/null 2>&1 || { echo "demo.sh: no $chromium after installing chromium" >&2; exit 1; }
  fi
  help_page_pictures
  echo
  echo "Demo pictures: $out"
  exit 0
fi

"$root/scripts/install-deps.sh"
BUILD_DIR="$build" QLV_BUILD_TESTS=OFF "$root/scripts/build.sh" --target emulated_host_app gen_qlv

winpath() { echo "Z:$(echo "$1" | sed 's|/|\\|g')"; }
app="$build/bin/emulated_host_app.exe"
ini_args=()
[ -n "$user_ini" ] && ini_args=(--ini "$(winpath "$user_ini")")

# The README's pictures, from the scenes of both runs that show them, cropped
# and put side by side with ImageMagick and written compressed, without time
# stamps, so the same scenes give the same files: docs/pictures/big5-title.png
# (the double-size Big5 title), smooth-twin.png (the start of one title in
# double size, one-bit and smooth, doubled again) and config-dialog.png.
if [ "$mode" = readme ]; then
  prefix="$build/wineprefix"
  scenes="$out/readme"
  pictures="$root/docs/pictures"
  rm -rf "$scenes"
  mkdir -p "$scenes" "$pictures"
  "$root/scripts/wine-session.sh" start "$prefix"
  trap '"$root/scripts/wine-session.sh" stop "$prefix"' EXIT
  "$root/scripts/wine-run.sh" "$prefix" "$app" --demo "$(winpath "$scenes")" readme
  QLV_LOCALE=en_US.UTF-8 "$root/scripts/wine-run.sh" "$prefix" "$app" --demo-modern "$(winpath "$scenes")" readme
  png=(-strip -define png:exclude-chunks=date,time -depth 8)
  # The title area of the double-size twins, from (224,48), over a caption band.
  half() {
    convert "$scenes/$1" -crop 176x28+224+48 +repage -scale 200% \
      \( -size 352x20 xc:'#101018' -font DejaVu-Sans -pointsize 12 -fill '#c8c8d0' -gravity west \
         -annotate +6+0 "$2" \) -append "$scenes/$3"
  }
  half 26-one-bit-double.png "one-bit edges (Smooth=0)" twin-one-bit.png
  half 27-smooth-double.png "Smooth=1: edges blended by coverage" twin-smooth.png
  convert "$scenes/twin-one-bit.png" -size 8x76 xc:'#101018' "$scenes/twin-smooth.png" +append "${png[@]}" \
    "$pictures/smooth-twin.png"
  convert "$scenes/12-chinese-double.png" "${png[@]}" "$pictures/big5-title.png"
  convert "$scenes/dialog-config-en.png" "${png[@]}" "$pictures/config-dialog.png"
  for picture in big5-title smooth-twin config-dialog; do
    printf '%-28s %s\n' "$picture.png" "$(identify -format '%w x %h' "$pictures/$picture.png"), $(stat -c %s "$pictures/$picture.png") bytes"
  done
  echo
  echo "README pictures: $pictures"
  exit 0
fi

# Pictures: the headless prefix the tests use.
if [ "$mode" = pictures ]; then
  prefix="$build/wineprefix"
  rm -rf "$out"/frames-* "$out"/scroll-*.gif
  "$root/scripts/wine-session.sh" start "$prefix"
  trap '"$root/scripts/wine-session.sh" stop "$prefix"' EXIT
  echo
  status=0
  "$root/scripts/wine-run.sh" "$prefix" "$app" "${ini_args[@]}" --demo "$(winpath "$out")" || status=$?
  # The 5.x player's scenes on a Western code page, where Japanese, Cyrillic
  # and Greek titles have no ANSI form at all.
  QLV_LOCALE=en_US.UTF-8 "$root/scripts/wine-run.sh" "$prefix" "$app" "${ini_args[@]}" --demo-modern "$(winpath "$out")" \
    || status=$?
  # Both dialogs as a Simplified Chinese user (2052, code page 936) meets them.
  QLV_LOCALE=zh_CN.UTF-8 "$root/scripts/wine-run.sh" "$prefix" "$app" "${ini_args[@]}" --demo-dialogs "$(winpath "$out")" zh-cn \
    || status=$?
  for frames in "$out"/frames-*/; do
    [ -d "$frames" ] || continue
    name="$(basename "$frames")"
    name="${name#frames-}"
    if ! command -v convert >/dev/null 2>&1; then
      echo "ImageMagick's convert is missing: no scroll-$name.gif (the frames are in $frames)"
      continue
    fi
    delay="$(cat "$frames/delay" 2>/dev/null || echo 5)"
    if convert -delay "$delay" -loop 0 "$frames"frame-*.png -layers Optimize "$out/scroll-$name.gif"; then
      printf '%-28s the scrolling title, animated (%s frames)\n' "scroll-$name.gif" \
             "$(ls "$frames" | grep -c '^frame-')"
    else
      echo "convert failed: no scroll-$name.gif (the frames are in $frames)"
      status=1
    fi
  done
  if command -v "$chromium" >/dev/null 2>&1; then
    help_page_pictures || status=1
  else
    echo "help-page-*.png skipped: no Chromium here; scripts/demo.sh --help-pictures installs it and takes them"
  fi
  echo
  echo "Demo pictures: $out"
  exit $status
fi

# Live: a second prefix with Wine's X11 graphics, so the tests' prefix stays headless.
prefix="$build/wineprefix-x11"
xvfb_pid=""
cleanup() {
  "$root/scripts/wine-session.sh" stop "$prefix"
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT
tour=""
if [ "$mode" = xvfb ]; then
  if [ -e /tmp/.X99-lock ]; then
    echo "demo.sh: display :99 is taken (/tmp/.X99-lock); end that X server first" >&2
    exit 1
  fi
  Xvfb :99 -screen 0 1024x640x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do [ -e /tmp/.X11-unix/X99 ] && break; sleep 0.1; done
  export DISPLAY=:99
  seconds="${seconds:-16}"
  tour=tour
fi
"$root/scripts/setup-wine-prefix.sh" "$prefix" --with-display
"$root/scripts/wine-session.sh" start "$prefix"
live="$out/live"
mkdir -p "$live"
"$root/scripts/wine-run.sh" "$prefix" "$app" "${ini_args[@]}" --live "$(winpath "$live")" "${seconds:-0}" $tour &
app_pid=$!
if [ "$mode" = xvfb ]; then
  # The player opens at once; its tour right-clicks for the menu at 4 s, picks
  # the configuration at 6 s, opens the menu again at 9 s and picks About at 11 s.
  shots=("3 live-player.png the player with the plug-in's title"
         "2 live-menu.png the player's menu with the plug-in's two entries at the end"
         "3 live-config.png the configuration dialog picked from that menu"
         "5 live-about.png the About dialog beside it")
  for shot in "${shots[@]}"; do
    read -r wait name what <<<"$shot"
    sleep "$wait"
    if command -v import >/dev/null 2>&1 &&
       import -display :99 -window root "$out/$name" 2>/dev/null; then
      printf '%-28s %s\n' "$name" "$what"
    fi
  done
fi
status=0
wait "$app_pid" || status=$?
[ "$mode" = xvfb ] && echo "Demo screenshots: $out"
exit $status
