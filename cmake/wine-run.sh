#!/usr/bin/env bash
# Runs a Windows program under wine64 in the given prefix, with nothing
# prompting and no debug chatter. Used as the cross-compiling emulator.
#   wine-run.sh PREFIX PROGRAM [ARGS...]
#   wine-run.sh PREFIX --stop          ends the prefix's processes
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
export WINEPREFIX=$1
shift
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ "${1:-}" = --stop ]; then
    "$WINESERVER64" -k 2>/dev/null || true
    exit 0
fi
exec "$WINE64" "$@"
