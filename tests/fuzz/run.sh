#!/usr/bin/env bash
# Runs the stream fuzzer for a short while from small seed streams.
#   run.sh SOURCE_DIR WORK_DIR MAKE_STREAMS FUZZER SECONDS
set -euo pipefail
src=$1 work=$2 make_streams=$3 fuzzer=$4 seconds=$5
mkdir -p "$work/seeds" "$work/corpus"

# Seeds: small but real streams, made by the generator from the head of the
# dictionary, so that the fuzzer starts from inputs that unpack.
head -n 40 "$src/library/data/pinyin.txt" >"$work/pinyin.txt"
head -n 40 "$src/library/data/idioms.txt" >"$work/idioms.txt"
head -n 40 "$src/library/data/meanings.txt" >"$work/meanings.txt"
"$make_streams" "$work/pinyin.txt" "$work/idioms.txt" "$work/meanings.txt" "$work/seeds" >/dev/null

if ! "$fuzzer" -max_total_time="$seconds" -max_len=8192 -rss_limit_mb=4096 \
        -artifact_prefix="$work/" "$work/corpus" "$work/seeds" >"$work/log.txt" 2>&1; then
    tail -n 60 "$work/log.txt"
    exit 1
fi
grep -E '^(stat::number_of_executed_units|Done)' "$work/log.txt" || tail -n 3 "$work/log.txt"
