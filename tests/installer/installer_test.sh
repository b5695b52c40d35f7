#!/bin/bash
# The installer under Wine, on a machine with a player folder (a stub
# winamp.exe) registered the way the player registers itself: silent installs
# that find it, the files in place, the uninstall entry, a silent uninstall
# that leaves plugin.ini alone, the folder switch, the refusal of a folder
# without winamp.exe, and a DLL in use.
#
# Usage: installer_test.sh PREFIX SETUP HOLD_DLL SCRATCH
#   SETUP is the built installer, with the built gen_qlv.dll beside it;
#   HOLD_DLL the helper that keeps a DLL loaded; SCRATCH a folder it empties.
# The player's registry keys and the installer's own are removed before and
# after, so the other tests sharing the prefix see none of them.
set -u
prefix="$1" setup="$2" hold="$3" scratch="$4"
root="$(cd "$(dirname "$0")/../.." && pwd)"
built_dll="$(dirname "$setup")/gen_qlv.dll"

run() { "$root/scripts/wine-run.sh" "$prefix" "$@" </dev/null >/dev/null 2>&1; }
winpath() { local p; p="$(realpath -m "$1")"; echo "Z:${p//\//\\}"; }
regtext() { local t="${1//\\/\\\\}"; echo "\"${t//\"/\\\"}\""; }   # a .reg string value

failures=0
passes=0
check() {   # DESCRIPTION COMMAND...: one line per check, the failures counted
  if "${@:2}"; then echo "ok    $1"; passes=$((passes + 1))
  else echo "FAIL  $1"; failures=$((failures + 1)); fi
}
exit_code() { "$@"; echo $?; }
same_file() { cmp -s "$1" "$2"; }
absent() { local f; for f; do [ ! -e "$f" ] || return 1; done; }

# Where the player and the installer register, in both registry views a
# 32-bit installer may read on a 64-bit prefix.
uninstall='Software\Microsoft\Windows\CurrentVersion\Uninstall'
keys=("HKEY_LOCAL_MACHINE\\$uninstall\\Winamp"
      "HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Winamp"
      "HKEY_CURRENT_USER\\Software\\Winamp"
      "HKEY_LOCAL_MACHINE\\$uninstall\\Qelvar Scrivane II"
      "HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Qelvar Scrivane II")
own_key="HKLM\\$uninstall\\Qelvar Scrivane II"

# Forgets every key above, then registers the player as LINES (.reg lines) say.
register() {
  local file="$scratch/register.reg"
  {
    echo "REGEDIT4"
    for key in "${keys[@]}"; do echo "[-$key]"; done
    printf '%s\n' "$@"
  } >"$file"
  run regedit /S "$(winpath "$file")"
}
player_uninstall_key() {   # UninstallString VALUE, in both views
  echo "[${keys[0]}]"; echo "\"UninstallString\"=$(regtext "$1")"
  echo "[${keys[1]}]"; echo "\"UninstallString\"=$(regtext "$1")"
}
trap 'register' EXIT

make_player() {   # FOLDER: a player folder with a stub winamp.exe and a shared plugin.ini
  mkdir -p "$1/Plugins"
  printf 'MZ stub player' >"$1/winamp.exe"
  printf '[Another Plugin]\r\nVolume=7\r\n[Qelvar Scrivane II]\r\nFontFace=Arial\r\nShadow=2\r\n' \
    >"$1/Plugins/plugin.ini"
}
pages=(Scrivane.html Scrivane.zh-TW.html Scrivane.zh-CN.html)   # the help pages, as docs/ holds them
installed() {   # FOLDER: the files the installer puts into its Plugins folder
  local page
  for page in "${pages[@]}"; do same_file "$root/docs/$page" "$1/Plugins/$page" || return 1; done
  same_file "$built_dll" "$1/Plugins/gen_qlv.dll" && [ -s "$1/Plugins/uninstall_gen_qlv.exe" ]
}
uninstall() {   # FOLDER: the silent uninstall, run in place (_?=) so that it is waited for
  run "$1/Plugins/uninstall_gen_qlv.exe" /S "_?=$(winpath "$1/Plugins")"
}
entry() {   # the installer's uninstall entry as reg lists it; fails when there is none
  "$root/scripts/wine-run.sh" "$prefix" reg query "$own_key" /reg:32 </dev/null 2>/dev/null | tr -d '\r'
  return "${PIPESTATUS[0]}"
}
no_entry() { ! entry >/dev/null; }
entry_value() { sed -En "s/^ +$1 +REG_[A-Z_]+ {4}//p" <<<"$listing"; }

rm -rf "$scratch"
mkdir -p "$scratch"
player="$scratch/Winamp"
make_player "$player"
cp "$player/Plugins/plugin.ini" "$scratch/plugin.ini.before"

# 1. Found through the player's uninstall key, with the path quoted as the
#    player writes it: install, entry, uninstall.
register "$(player_uninstall_key "\"$(winpath "$player")\\UninstWA.exe\"")"
check "silent install finds the player by its uninstall key" [ "$(exit_code run "$setup" /S)" = 0 ]
check "gen_qlv.dll, the three help pages and the uninstaller are in Plugins" installed "$player"
listing="$(entry)"
check "Add or Remove Programs: name" [ "$(entry_value DisplayName)" = "Qelvar Scrivane II 1.0" ]
check "Add or Remove Programs: version" [ "$(entry_value DisplayVersion)" = "1.0" ]
check "Add or Remove Programs: publisher" [ "$(entry_value Publisher)" = "Qelvar Scrivane II team" ]
size="$(entry_value EstimatedSize)"
check "Add or Remove Programs: size in KB ($size)" [ "$((size))" -ge "$(($(stat -c %s "$built_dll") / 1024))" ]
check "Add or Remove Programs: the uninstaller" \
  [ "$(entry_value UninstallString)" = "\"$(winpath "$player/Plugins")\\uninstall_gen_qlv.exe\"" ]
check "silent uninstall succeeds" [ "$(exit_code uninstall "$player")" = 0 ]
check "the uninstall removes the DLL and the help pages" \
  absent "$player/Plugins/gen_qlv.dll" "${pages[@]/#/$player/Plugins/}"
check "the uninstall leaves plugin.ini as it was" same_file "$scratch/plugin.ini.before" "$player/Plugins/plugin.ini"
check "the uninstall removes the Add or Remove Programs entry" no_entry
rm -f "$player/Plugins/uninstall_gen_qlv.exe"   # run in place, it cannot delete itself

# 2. The other ways the player may be registered.
register "$(player_uninstall_key "$(winpath "$player")\\UninstWA.exe")"
check "found by an unquoted uninstall path" [ "$(exit_code run "$setup" /S)" = 0 ]
check "  and installed there" installed "$player"
rm -f "$player/Plugins/gen_qlv.dll" "${pages[@]/#/$player/Plugins/}" "$player/Plugins/uninstall_gen_qlv.exe"
register "$(player_uninstall_key "$(winpath "$scratch/Removed")\\UninstWA.exe")" \
  "[${keys[2]}]" "@=$(regtext "$(winpath "$player")\\")"
check "a stale uninstall key: found by HKCU\\Software\\Winamp (with a trailing backslash)" [ "$(exit_code run "$setup" /S)" = 0 ]
check "  and installed there" installed "$player"

# 3. No player registered: the folder given with /D=, and a folder in use.
register
other="$scratch/Other"
make_player "$other"
check "no player registered, /D= names the folder" [ "$(exit_code run "$setup" /S "/D=$(winpath "$other")")" = 0 ]
check "  and installed there" installed "$other"
flag="$scratch/held"
"$root/scripts/wine-run.sh" "$prefix" "$hold" "$(winpath "$other/Plugins/gen_qlv.dll")" "$(winpath "$flag")" \
  </dev/null >/dev/null 2>&1 &
holder=$!
for _ in $(seq 600); do [ -e "$flag" ] && break; sleep 0.1; done
check "the helper holds the installed DLL" [ -e "$flag" ]
touch -d '2001-02-03 04:05' "$other/Plugins/gen_qlv.dll"
check "DLL in use: the silent install gives up (exit code 2)" \
  [ "$(exit_code run "$setup" /S "/D=$(winpath "$other")")" = 2 ]
check "  and leaves the DLL untouched" [ "$(date -r "$other/Plugins/gen_qlv.dll" +%Y)" = 2001 ]
check "DLL in use: the silent uninstall gives up (exit code 2)" [ "$(exit_code uninstall "$other")" = 2 ]
check "  and leaves the DLL in place" [ -e "$other/Plugins/gen_qlv.dll" ]
rm -f "$flag"
wait "$holder"
check "once released, the uninstall succeeds" [ "$(exit_code uninstall "$other")" = 0 ]
check "  and removes the DLL" absent "$other/Plugins/gen_qlv.dll"

# 4. Refusals: a folder without winamp.exe, and no player anywhere.
empty="$scratch/Empty"
mkdir -p "$empty"
check "a folder without winamp.exe is refused (exit code 2)" \
  [ "$(exit_code run "$setup" /S "/D=$(winpath "$empty")")" = 2 ]
check "  and nothing is written there" absent "$empty/Plugins"
check "no player registered nor in Program Files: refused (exit code 2)" [ "$(exit_code run "$setup" /S)" = 2 ]

echo "installer: $passes passed, $failures failed"
[ "$failures" -eq 0 ]
