#!/usr/bin/env bash
# The real quovant program's streams and exit codes.
#   cli_program.sh PATH/TO/quovant
set -uo pipefail
quovant=$1
passed=0 failed=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
YI="意出望外 意得志满 意广才疏 意合情投 意懒心灰 意懒心慵 意料之外 意乱心忙"
LV="驴唇不对马嘴 驴唇马觜 驴唇马嘴 驴鸣狗吠 驴鸣犬吠 驴年马月 驴前马后 驴头不对马嘴"
NOT_FOUND="没有找到合适的成语，请重试。"

Expect() {  # Expect WHAT ACTUAL EXPECTED
    if [ "$2" == "$3" ]; then
        passed=$((passed + 1)) && echo "ok   $1"
    else
        failed=$((failed + 1)) && printf 'FAIL %s\n  got:      %q\n  expected: %q\n' "$1" "$2" "$3"
    fi
}

out=$("$quovant" 一心一意 lv 2>/dev/null; echo "exit=$?")
Expect "arguments: a line each, code 0" "$out" "$YI"$'\n'"$LV"$'\n'"exit=0"

out=$("$quovant" 艾 lv 2>&1 >/dev/null; echo "exit=$?")
Expect "argument that finds nothing: message, code 1" "$out" "$NOT_FOUND"$'\n'"exit=1"

out=$(printf 'lv\r\n\n艾\n扒' | "$quovant"; echo "exit=$?")
Expect "stdin: one line per line, CRLF, blank, none found, no final newline" "$out" \
    "$LV"$'\n\n\n'"扒耳搔腮 扒高踩低"$'\n'"exit=0"

out=$(printf 'lv\n\377\n一心一意\n' | "$quovant" 2>&1; echo "exit=$?")
Expect "stdin: invalid UTF-8 named, its place kept, code 1" "$out" \
    "$LV"$'\n'"quovant: line 2 is not valid UTF-8"$'\n\n'"$YI"$'\n'"exit=1"

out=$("$quovant" $'\xe4\xb8' lv 2>&1; echo "exit=$?")
Expect "argument: invalid UTF-8 named" "$out" \
    "quovant: argument 1 is not valid UTF-8"$'\n\n'"$LV"$'\n'"exit=1"

out=$(printf '' | "$quovant"; echo "exit=$?")
Expect "empty stdin: no output, code 0" "$out" "exit=0"

out=$("$quovant" --help | head -n 1)
Expect "help" "$out" "Usage: quovant TEXT..."

out=$(printf '\357\273\277lv\r\n' | "$quovant"; echo "exit=$?")
Expect "stdin: a byte-order mark before the first line is skipped" "$out" "$LV"$'\n'"exit=0"

out=$("$quovant" lv 2>&1 >/dev/full; echo "exit=$?")
Expect "full disk: a message and code 4" "$out" \
    "quovant: cannot write standard output: No space left on device"$'\n'"exit=4"

# With SIGPIPE ignored, as some environments leave it, a closed pipe is a
# write error that must end the tool quietly and not with 0.
out=$( (trap '' PIPE; printf 'lv\n%.0s' {1..5000} | "$quovant" 2>"$work/err" | head -n 1 >/dev/null;
        echo "exit=${PIPESTATUS[1]} stderr=$(cat "$work/err")") )
Expect "closed pipe: quiet, code 4" "$out" "exit=4 stderr="

cp "$quovant" "$work/quovant"
out=$("$work/quovant" lv 2>&1; echo "exit=$?")
Expect "missing library: the message and code 3" "$out" \
    "quovant: 丢失基本组件 libQuovant.so 程序无法运行。"$'\n'"exit=3"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
