#!/bin/bash
# Runs scripts/install-deps.sh against a scratch source list that names, beside
# the machine's own sources, a suite on a host nobody answers. Needs root and
# the network to the machine's mirror; not part of the suite.
#  - a package the good suites have: the script says which index failed, goes
#    on with the indexes it has and installs (simulated);
#  - a package no suite has: the install fails, and the script tries once more
#    with the failing suite left out before it gives up.
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/sources"
cp /etc/apt/sources.list.d/*.sources "$tmp/sources/" 2>/dev/null
[ -f /etc/apt/sources.list ] && cp /etc/apt/sources.list "$tmp/sources/main.list"
cat >"$tmp/sources/unreachable.sources" <<'SRC'
Types: deb
URIs: http://127.0.0.1:9/debian
Suites: qlv-unreachable
Components: main
Trusted: yes
SRC
failures=0
expect() { # name, expected exit (0 or nonzero), package, lines the output must hold...
  local name="$1" want="$2" package="$3" rc=0 line
  shift 3
  INSTALL_DEPS_SOURCES="$tmp/sources" INSTALL_DEPS_PACKAGES="$package" \
    "$root/scripts/install-deps.sh" >"$tmp/out" 2>&1 || rc=$?
  if { [ "$want" = 0 ] && [ "$rc" -ne 0 ]; } || { [ "$want" != 0 ] && [ "$rc" -eq 0 ]; }; then
    echo "FAIL $name: exit $rc"; failures=$((failures + 1)); cat "$tmp/out"; return
  fi
  for line in "$@"; do
    grep -qE -- "$line" "$tmp/out" || { echo "FAIL $name: no line matching \"$line\""; cat "$tmp/out"; failures=$((failures + 1)); return; }
  done
  echo "ok   $name"; grep '^install-deps:' "$tmp/out" | sed 's/^/       /'
}
dpkg -s hello >/dev/null 2>&1 && { echo "skip: the package hello is installed here"; exit 0; }
expect "unreachable suite, package elsewhere" 0 hello \
  "failed three times for: .*http://127\\.0\\.0\\.1:9/debian/dists/qlv-unreachable/" \
  "^install-deps: installed 1 packages with the indexes apt had \\(failed: .*qlv-unreachable"
expect "unreachable suite, package nowhere" 1 qlv-no-such-package \
  "^install-deps: the install failed; once more without the suites .*qlv-unreachable"
echo "$((2 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
