#!/usr/bin/env bash
# Builds the stream fuzzer with clang (libFuzzer, ASan, UBSan) and runs it
# for a short while from small seed streams.
#   run.sh SOURCE_DIR BUILD_DIR MAKE_STREAMS SECONDS
set -euo pipefail
src=$1 build=$2 make_streams=$3 seconds=$4
work="$build/fuzz"
mkdir -p "$work/seeds" "$work/corpus"

# Seeds: small but real streams, made by the generator from the head of the
# dictionary, so that the fuzzer starts from inputs that unpack.
head -n 40 "$src/library/data/pinyin.txt" >"$work/pinyin.txt"
head -n 40 "$src/library/data/idioms.txt" >"$work/idioms.txt"
"$make_streams" "$work/pinyin.txt" "$work/idioms.txt" "$work/seeds" >/dev/null

clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -DQUOVANT_BUILDING -I"$src/library" -I"$src/include" \
    "$src/tests/fuzz/fuzz_unpack.cpp" "$src/library/dictionary.cpp" "$src/library/embedded.cpp" \
    "$src/library/query.cpp" "$build/library/quovant_streams.cpp" \
    -llzma -o "$work/fuzz_unpack"

if ! "$work/fuzz_unpack" -max_total_time="$seconds" -max_len=8192 -rss_limit_mb=4096 \
        -artifact_prefix="$work/" "$work/corpus" "$work/seeds" >"$work/log.txt" 2>&1; then
    tail -n 60 "$work/log.txt"
    exit 1
fi
grep -E '^(stat::number_of_executed_units|Done)' "$work/log.txt" || tail -n 3 "$work/log.txt"
