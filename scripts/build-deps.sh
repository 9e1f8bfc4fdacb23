#!/usr/bin/env bash
# Builds the static libraries that the cross builds need and Debian does not
# package for them, from Debian's own source packages, installed under
# build/deps/TRIPLE: for MinGW-w64, liblzma (xz-utils) and Google Benchmark
# (benchmark); for WebAssembly (wasm32, with Debian's Emscripten), liblzma
# alone, without threads and small. Cached: a second run with the libraries
# in place does nothing.
#   build-deps.sh TRIPLE...      (i686-w64-mingw32, x86_64-w64-mingw32, wasm32)
set -euo pipefail
cd "$(dirname "$0")/.."
deps="$PWD/build/deps"

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)

# Unpacks Debian's source package PACKAGE under build/deps/src once; prints
# its folder.
FetchSource() {  # FetchSource PACKAGE
    local package=$1 src="$deps/src/$1"
    if ! compgen -G "$src/$package-*/" >/dev/null; then
        FetchSourceEntry
        rm -rf "$src" && mkdir -p "$src"
        (cd "$src" && apt-get source -qq "$package" >/dev/null 2>&1) || true
    fi
    local dir
    dir=$(compgen -G "$src/$package-*/" | head -n 1)
    [ -n "$dir" ] || { echo "could not fetch the source of $package" >&2; exit 1; }
    echo "${dir%/}"
}

# Makes Debian's source packages available when apt has no source entry yet:
# deb-src entries derived from the machine's own deb entries, so that its
# mirror, proxy or snapshot is the one used.
FetchSourceEntry() {
    apt-cache showsrc xz-utils 2>/dev/null | grep -q '^Package: xz-utils' && return 0
    local entries
    entries=$(python3 scripts/apt_entries.py --type deb-src) ||
        { echo "cannot derive a deb-src entry from this machine's apt sources" >&2; exit 1; }
    "${sudo[@]}" tee /etc/apt/sources.list.d/quovant-deb-src.sources >/dev/null <<<"$entries"
    "${sudo[@]}" apt-get update -qq
}

# Runs a build step with its output in a log, shown only when it fails.
Logged() {  # Logged LOG COMMAND...
    local log=$1
    shift
    if ! "$@" >"$log" 2>&1; then
        tail -n 30 "$log" >&2
        exit 1
    fi
}

BuildLiblzma() {  # BuildLiblzma TRIPLE PREFIX
    local source_dir work="$deps/work-xz-$1"
    source_dir=$(FetchSource xz-utils)
    rm -rf "$work" && mkdir -p "$work"
    echo "Building liblzma for $1"
    Logged "$deps/xz-$1.log" sh -c "cd '$work' && '$source_dir/configure' --host='$1' --prefix='$2' \
        --enable-static --disable-shared --disable-xz --disable-xzdec --disable-lzmadec \
        --disable-lzmainfo --disable-scripts --disable-doc --disable-nls &&
        make -j$(nproc) && make install"
    rm -rf "$work"
}

BuildLiblzmaWasm() {  # BuildLiblzmaWasm PREFIX
    local source_dir work="$deps/work-xz-wasm32"
    source_dir=$(FetchSource xz-utils)
    rm -rf "$work" && mkdir -p "$work"
    echo "Building liblzma for wasm32"
    # emcc runs on Node, which must find Debian's acorn.
    Logged "$deps/xz-wasm32.log" env NODE_PATH=/usr/share/nodejs sh -c "cd '$work' &&
        emconfigure '$source_dir/configure' --host=wasm32-unknown-emscripten --prefix='$1' \
        --enable-static --disable-shared --disable-threads --enable-small --disable-xz --disable-xzdec \
        --disable-lzmadec --disable-lzmainfo --disable-scripts --disable-doc --disable-nls &&
        emmake make -j$(nproc) && emmake make install"
    rm -rf "$work"
}

BuildBenchmark() {  # BuildBenchmark TRIPLE PREFIX
    local source_dir work="$deps/work-benchmark-$1"
    source_dir=$(FetchSource benchmark)
    rm -rf "$work"
    echo "Building Google Benchmark for $1"
    # No git history in a source package: take the version from project().
    Logged "$deps/benchmark-$1.log" cmake -S "$source_dir" -B "$work" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-$1.cmake" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$2" -DBUILD_SHARED_LIBS=OFF -DGIT_VERSION=0.0.0 \
        -DBENCHMARK_ENABLE_TESTING=OFF -DBENCHMARK_ENABLE_GTEST_TESTS=OFF \
        -DBENCHMARK_ENABLE_WERROR=OFF -DBENCHMARK_ENABLE_INSTALL=ON
    Logged "$deps/benchmark-$1.log" sh -c "cmake --build '$work' && cmake --install '$work'"
    rm -rf "$work"
}

for triple in "$@"; do
    prefix="$deps/$triple"
    if [ "$triple" = wasm32 ]; then
        [ -f "$prefix/lib/liblzma.a" ] || BuildLiblzmaWasm "$prefix"
        continue
    fi
    [ -f "$prefix/lib/liblzma.a" ] || BuildLiblzma "$triple" "$prefix"
    [ -f "$prefix/lib/libbenchmark.a" ] || BuildBenchmark "$triple" "$prefix"
done
