#!/bin/bash
# Installs whatever a fresh Debian 12 machine lacks to build, run and test
# the plug-in. Safe to run again: it skips what is already there.
#
# A mirror can serve one index that does not match its Release file ("File
# has unexpected size ... Mirror sync in progress?") for a day or more:
# apt-get update then exits 100, and the i386 packages on offer may no longer
# match the installed 64-bit libraries (multiarch twins must be the same
# version). The update is retried, then the indexes it has are used; when the
# install fails, it runs once more with the failing suites left out, so that
# both sides come from the same suites.
#
# For a test of this script: INSTALL_DEPS_SOURCES names a folder of source
# files used instead of the system's, with apt's lists and cache kept in a
# scratch folder and the install only simulated; INSTALL_DEPS_PACKAGES names
# the packages.
set -euo pipefail
packages=(cmake make g++-mingw-w64-i686 mingw-w64-i686-dev wine wine32:i386
          fonts-wine fonts-arphic-uming fonts-wqy-zenhei googletest xvfb imagemagick
          nsis zip unzip xdotool locales)
[ -n "${INSTALL_DEPS_PACKAGES:-}" ] && read -r -a packages <<<"$INSTALL_DEPS_PACKAGES"
here="$(cd "$(dirname "$0")" && pwd)"
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  [ -n "${INSTALL_DEPS_PACKAGES:-}" ] || "$here/enable-i386.sh"
  exit 0
fi
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
apt_sources=() apt_state=() simulate=()
if [ -n "${INSTALL_DEPS_SOURCES:-}" ]; then
  apt_sources=(-o "Dir::Etc::sourcelist=/dev/null" -o "Dir::Etc::sourceparts=$INSTALL_DEPS_SOURCES")
  mkdir -p "$work/lists/partial" "$work/cache"
  apt_state=(-o "Dir::State::Lists=$work/lists" -o "Dir::Cache=$work/cache")
  simulate=(-s)
fi

# Retries the update while an index fails (apt says so as an error or, for
# a host it cannot reach, as a warning); what failed is left in $work/failed,
# one URL a line.
update() {
  local try rc
  for try in 1 2 3; do
    rc=0
    $SUDO apt-get "${apt_sources[@]}" "${apt_state[@]}" update -q >"$work/update.log" 2>&1 || rc=$?
    grep -oE 'Failed to fetch [^ ]+' "$work/update.log" | cut -d' ' -f4 | sort -u >"$work/failed" || true
    [ "$rc" -eq 0 ] && [ ! -s "$work/failed" ] && return 0
    [ "$try" -lt 3 ] && sleep $((try * 5))
  done
  return 1
}

# The suites named in the failed URLs (".../dists/SUITE/...").
failed_suites() {
  sed -nE 's#.*/dists/([^/]+)/.*#\1#p' "$work/failed" | sort -u
}

# Copies the source files into $work/sources with the given suites left out:
# a deb822 stanza loses them from its Suites line (and is disabled when none
# are left), a one-line entry naming one is dropped.
sources_without() {
  local drop=" $* " src="$work/sources" f
  mkdir -p "$src"
  local files=()
  if [ -n "${INSTALL_DEPS_SOURCES:-}" ]; then
    files=("$INSTALL_DEPS_SOURCES"/*)
  else
    files=(/etc/apt/sources.list /etc/apt/sources.list.d/*)
  fi
  for f in "${files[@]}"; do
    [ -f "$f" ] || continue
    case "$f" in
      *.sources)
        awk -v drop="$drop" '
          function flush() { if (n) { for (i = 1; i <= n; i++) print block[i]; if (off) print "Enabled: no"; print "" } n = 0; off = 0 }
          /^[ \t]*$/ { flush(); next }
          /^Suites:/ { kept = ""; m = split(substr($0, 8), s, /[ \t]+/)
                       for (i = 1; i <= m; i++) if (s[i] != "" && index(drop, " " s[i] " ") == 0) kept = kept " " s[i]
                       if (kept == "") { off = 1; block[++n] = $0; next }
                       block[++n] = "Suites:" kept; next }
          { block[++n] = $0 }
          END { flush() }' "$f" >"$src/$(basename "$f")" ;;
      *.list)
        awk -v drop="$drop" '{ for (i = 3; i <= NF; i++) if ($i !~ /^\[/ && $i !~ /:\/\//) { if (index(drop, " " $i " ")) next; break } print }' \
          "$f" >"$src/$(basename "$f")" ;;
    esac
  done
  echo "$src"
}

install() {
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get "${apt_sources[@]}" "${apt_state[@]}" install -y -q \
    "${simulate[@]}" --no-install-recommends "${missing[@]}"
}

echo "Installing: ${missing[*]}"
did="installed ${#missing[@]} packages"
if ! update; then
  if [ ! -s "$work/failed" ]; then
    cat "$work/update.log" >&2
    echo "install-deps: apt-get update failed three times" >&2
    exit 1
  fi
  echo "install-deps: apt-get update failed three times for: $(paste -sd' ' "$work/failed")" >&2
  echo "install-deps: going on with the indexes it has" >&2
  did="$did with the indexes apt had (failed: $(failed_suites | paste -sd' '))"
fi
if ! install; then
  suites=$(failed_suites | paste -sd' ')
  [ -n "$suites" ] || exit 1
  echo "install-deps: the install failed; once more without the suites $suites" >&2
  src="$(sources_without $suites)"
  apt_sources=(-o "Dir::Etc::sourcelist=/dev/null" -o "Dir::Etc::sourceparts=$src")
  update || true
  install
  did="installed ${#missing[@]} packages with the suites $suites left out, both architectures from the same suites"
fi
echo "install-deps: $did"
[ -n "${INSTALL_DEPS_PACKAGES:-}" ] || "$here/enable-i386.sh"
