#!/bin/bash
# Starts (start) or stops (stop) a Wine session for a prefix: a persistent
# wineserver and Wine's own background services, started here with their
# output going nowhere. Started by the first test instead, they would inherit
# that test's output pipe and keep the test runner waiting after it ends.
# Usage: wine-session.sh start|stop PREFIX   (PREFIX may be relative)
# start fails, saying why, when the prefix was never set up or Wine cannot
# start in it; stop never fails.
set -u
action="${1:-}"
if [ $# -ne 2 ] || { [ "$action" != start ] && [ "$action" != stop ]; }; then
  echo "usage: wine-session.sh start|stop PREFIX" >&2
  exit 2
fi
prefix="$(realpath -m -- "$2")"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
case "$action" in
  start)
    if [ ! -f "$prefix/system.reg" ]; then
      echo "wine-session.sh: no Wine prefix at $prefix (scripts/build.sh sets it up)" >&2
      exit 1
    fi
    log="$(mktemp)"
    trap 'rm -f "$log"' EXIT
    # Exit code 2: a server for this prefix runs already (a session started earlier).
    wineserver -p </dev/null >"$log" 2>&1
    status=$?
    if [ $status -ne 0 ] && [ $status -ne 2 ]; then
      echo "wine-session.sh: wineserver -p failed in $prefix:" >&2
      cat "$log" >&2
      exit 1
    fi
    if ! wine wineboot </dev/null >"$log" 2>&1; then
      echo "wine-session.sh: wine wineboot failed in $prefix:" >&2
      cat "$log" >&2
      exit 1
    fi
    ;;
  stop)
    wineserver -k </dev/null >/dev/null 2>&1 || true
    ;;
esac
exit 0
