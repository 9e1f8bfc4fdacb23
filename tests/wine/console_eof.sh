#!/usr/bin/env bash
# quovant.exe at a console: Wine gives a program on a terminal a console
# that ReadConsoleW reads, so the tool runs under a pseudo-terminal (script)
# and is typed at. A query, then Ctrl+Z at the start of a line must end the
# input with code 0. The terminal's own suspend key is switched off, so that
# Ctrl+Z reaches the console as a character, as on Windows.
#   console_eof.sh PREFIX QUOVANT_EXE
set -uo pipefail
prefix=$1 exe=$2
run="$(cd "$(dirname "$0")/../.." && pwd)/cmake/wine-run.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"; kill "$typist" 2>/dev/null' EXIT

# The typist: a query, again each second until it is answered (what is typed
# before the console is ready can be lost), then Ctrl+Z.
mkfifo "$work/keys"
{
    for _ in $(seq 60); do
        grep -q 驴唇不对马嘴 "$work/screen" 2>/dev/null && break
        printf 'lv\r'
        sleep 1
    done
    printf '\032\r'
    sleep 30
} >"$work/keys" &
typist=$!

timeout 90 script -qfec "stty susp undef; '$run' '$prefix' '$exe'" /dev/null <"$work/keys" >"$work/screen"
status=$?
if ! grep -q 驴唇不对马嘴 "$work/screen"; then
    echo "FAIL: no answer to the query"
    exit 1
fi
if [ "$status" -ne 0 ]; then
    echo "FAIL: the tool did not end on Ctrl+Z (status $status)"
    exit 1
fi
echo "ok: answered the query and ended on Ctrl+Z"
