#!/usr/bin/env bash
# The README's run command on a machine without a display: it answers in the
# terminal as the quovant tool does, one line a query (an empty line where
# nothing is found), with a note on standard error, and exits 0 when the
# input ends.
#   run_without_display.sh SOURCE_DIR QUERY ANSWER [QUERY ANSWER...]
set -uo pipefail
src=$1
shift
queries="" expected=""
while [ $# -ge 2 ]; do
    queries+="$1"$'\n' expected+="$2"$'\n'
    shift 2
done
err=$(mktemp) outfile=$(mktemp)
trap 'rm -f "$err" "$outfile"' EXIT
env -u DISPLAY -u WAYLAND_DISPLAY "$src/scripts/run.sh" <<<"${queries%$'\n'}" >"$outfile" 2>"$err"
status=$?
out=$(cat "$outfile"; echo x)  # the x keeps the last empty lines
out=${out%x}
failed=0
[ "$status" -eq 0 ] || { echo "FAIL exit code $status"; failed=1; }
[ "$out" == "$expected" ] || { printf 'FAIL answers\n  got:      %q\n  expected: %q\n' "$out" "$expected"; failed=1; }
grep -q "No display" "$err" || { echo "FAIL no note on standard error"; failed=1; }
[ "$failed" -eq 0 ] && echo "ok   answers in the terminal without a display, exit code 0"
exit "$failed"
