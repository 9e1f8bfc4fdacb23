#!/usr/bin/env bash
# The README's run command on a machine without a display: it answers in the
# terminal as the quovant tool does, one line a query, with a note on
# standard error, and exits 0 when the input ends.
#   run_without_display.sh SOURCE_DIR QUOVANT
set -uo pipefail
src=$1 quovant=$2
err=$(mktemp)
trap 'rm -f "$err"' EXIT
queries=$'一心一意\nlv\n艾'
out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$src/scripts/run.sh" <<<"$queries" 2>"$err")
status=$?
expected=$("$quovant" <<<"$queries")
failed=0
[ "$status" -eq 0 ] || { echo "FAIL exit code $status"; failed=1; }
[ -n "$out" ] && [ "$out" == "$expected" ] || { printf 'FAIL answers\n  got: %q\n' "$out"; failed=1; }
grep -q "No display" "$err" || { echo "FAIL no note on standard error"; failed=1; }
[ "$failed" -eq 0 ] && echo "ok   answers in the terminal without a display, exit code 0"
exit "$failed"
