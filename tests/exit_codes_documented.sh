#!/usr/bin/env bash
# The manual page says of each exit code what `quovant --help` says, which
# the tool writes from its one table of exit codes.
#   exit_codes_documented.sh QUOVANT MANUAL.scd
set -uo pipefail
quovant=$1 manual=$2
# "N text" a line per code, the text's lines joined, its first letter small
# and a final period dropped.
from_help=$("$quovant" --help | sed -n '/^Exit codes:/,$p' | tail -n +2 |
    awk '/^  [0-9]  / { if (t) print t; t = substr($0, 3); next } { sub(/^ +/, ""); t = t " " $0 } END { print t }' |
    sed -E 's/^([0-9])  /\1 /')
from_manual=$(sed -n '/^# EXIT STATUS/,/^# /p' "$manual" |
    awk '/^\*[0-9]\*$/ { if (t) print t; t = substr($0, 2, 1); next } /^\t/ { sub(/^\t/, ""); t = t " " $0 } END { print t }' |
    sed -E 's/^([0-9]) (.)/\1 \l\2/; s/\.$//')
if [ "$from_help" != "$from_manual" ]; then
    echo "FAIL the manual page and --help differ:"
    diff <(echo "$from_help") <(echo "$from_manual")
    exit 1
fi
echo "ok   the manual page says what --help says of $(wc -l <<<"$from_help") exit codes"
