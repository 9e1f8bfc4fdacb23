#!/usr/bin/env bash
# Runs a Windows program under wine64 in the given prefix, with nothing
# prompting and no debug chatter. Used as the cross-compiling emulator.
#   wine-run.sh PREFIX PROGRAM [ARGS...]
set -euo pipefail
export WINEPREFIX=$1
shift
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
exec /usr/lib/wine/wine64 "$@"
