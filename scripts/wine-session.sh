#!/bin/bash
# Starts (start) or stops (stop) a Wine session for a prefix: a persistent
# wineserver and Wine's own background services, started here with their
# output going nowhere. Started by the first test instead, they would inherit
# that test's output pipe and keep the test runner waiting after it ends.
# Usage: wine-session.sh start|stop PREFIX
set -u
action="$1"
export WINEPREFIX="$2" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
case "$action" in
  start)
    wineserver -p </dev/null >/dev/null 2>&1 || true
    wine wineboot </dev/null >/dev/null 2>&1 || true
    ;;
  stop)
    wineserver -k </dev/null >/dev/null 2>&1 || true
    ;;
esac
exit 0
