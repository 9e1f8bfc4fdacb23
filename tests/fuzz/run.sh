#!/usr/bin/env bash
# Runs one fuzzer for a short while from small seeds made of the dictionary's
# own sources, so that it starts from inputs that mean something.
#   run.sh SOURCE_DIR WORK_DIR FUZZER SECONDS SEEDS [MAKE_STREAMS]
# SEEDS: streams (real streams of the dictionary's head, made by
# MAKE_STREAMS), lines (lines of the dictionary's text files) or questions
# (a small dictionary and questions to it).
set -euo pipefail
src=$1 work=$2 fuzzer=$3 seconds=$4 seeds=$5
data=$src/library/data
rm -rf "$work/seeds"
mkdir -p "$work/seeds" "$work/corpus"

case $seeds in
streams)
    head -n 40 "$data/pinyin.txt" >"$work/pinyin.txt"
    head -n 40 "$data/customary.txt" >"$work/customary.txt"
    head -n 40 "$data/idioms.txt" >"$work/idioms.txt"
    head -n 40 "$data/meanings.txt" >"$work/meanings.txt"
    for text in readings english commonness; do
        head -n 40 "$data/$text.txt" >"$work/$text.txt"
    done
    "$6" "$work/pinyin.txt" "$work/idioms.txt" "$work/meanings.txt" "$work/readings.txt" "$work/english.txt" \
        "$work/commonness.txt" "$work/customary.txt" "$work/seeds" >/dev/null
    ;;
lines)
    for n in 1 100 1000 10000; do
        sed -n "${n}p" "$data/idioms.txt" >"$work/seeds/idiom-$n"
        sed -n "${n}p" "$data/meanings.txt" >"$work/seeds/meaning-$n"
    done
    printf '\xEF\xBB\xBF\xE3\x80\x80一心一意\xC2\xA0\r' >"$work/seeds/spaces"
    ;;
questions)
    for n in 1 5000 20000; do
        { sed -n "${n},$((n + 30))p" "$data/idioms.txt"; echo
          sed -n "$((n + 3))p;$((n + 9))p" "$data/idioms.txt" | sed 's/^/c /'
          sed -n "$((n + 5))p" "$data/idioms.txt" | sed 's/^/f /'
          printf 'p %s\t%s\n' "$(sed -n "${n}p" "$data/idioms.txt")" "$(sed -n "$((n + 20))p" "$data/idioms.txt")"
          printf 'o 一丁七万\tyi1 er4 san1 si4\nc 七一\n'
          echo yi; } >"$work/seeds/dictionary-$n"
    done
    ;;
*)
    echo "unknown seeds: $seeds" >&2
    exit 2
    ;;
esac

if ! "$fuzzer" -max_total_time="$seconds" -max_len=8192 -rss_limit_mb=4096 \
        -artifact_prefix="$work/" "$work/corpus" "$work/seeds" >"$work/log.txt" 2>&1; then
    tail -n 60 "$work/log.txt"
    exit 1
fi
grep -E '^(stat::number_of_executed_units|Done)' "$work/log.txt" || tail -n 3 "$work/log.txt"
