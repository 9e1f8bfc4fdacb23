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
out=$(mktemp)
trap 'rm -f "$out"' EXIT
{ printf 'lv\r'; sleep 3; printf '\032\r'; sleep 10; } |
    timeout 30 script -qfec "stty susp undef; '$run' '$prefix' '$exe'" /dev/null >"$out"
status=${PIPESTATUS[1]}
if [ "$status" -ne 0 ]; then
    echo "FAIL: the tool did not end on Ctrl+Z (status $status)"
    exit 1
fi
case "$(cat "$out")" in
*驴唇不对马嘴*) echo "ok: answered the query and ended on Ctrl+Z" ;;
*) echo "FAIL: no answer to the query"; exit 1 ;;
esac
