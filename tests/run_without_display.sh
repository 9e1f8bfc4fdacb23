#!/usr/bin/env bash
# The README's run command on a machine without a display: it answers in the
# terminal, one line a query, with a note on standard error, and exits 0 when
# the input ends.
#   run_without_display.sh SOURCE_DIR
set -uo pipefail
src=$1
err=$(mktemp)
trap 'rm -f "$err"' EXIT
out=$(printf '一心一意\nlv\n' | env -u DISPLAY -u WAYLAND_DISPLAY "$src/scripts/run.sh" 2>"$err")
status=$?
expected="意出望外 意得志满 意广才疏 意合情投 意懒心灰 意懒心慵 意料之外 意乱心忙
驴唇不对马嘴 驴唇马觜 驴唇马嘴 驴鸣狗吠 驴鸣犬吠 驴年马月 驴前马后 驴头不对马嘴"
failed=0
[ "$status" -eq 0 ] || { echo "FAIL exit code $status"; failed=1; }
[ "$out" == "$expected" ] || { printf 'FAIL answers\n  got: %q\n' "$out"; failed=1; }
grep -q "No display" "$err" || { echo "FAIL no note on standard error"; failed=1; }
[ "$failed" -eq 0 ] && echo "ok   answers in the terminal without a display, exit code 0"
exit "$failed"
