#!/bin/bash
# Runs one Windows test program under Wine on its own virtual display.
# Usage: run_under_wine.sh <prefix folder> <program.exe> [arguments...]
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine_env.sh" "$1"
shift
ensure_prefix

program=$1
shift
# One display per program; the saver and the driver share it. Colour depth 24
# so that screenshots carry exact colours. The Wine server is stopped at the end
# so that no process of this run outlives it or holds the display.
xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash -c '
    "$WINE" "$@"
    status=$?
    /usr/lib/wine/wineserver64 -k 2>/dev/null
    exit $status
' runner "$program" "$@"
