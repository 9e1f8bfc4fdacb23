#!/usr/bin/env bash
# Builds liblzma as a static library for a MinGW-w64 target from Debian's own
# xz-utils source package, installing it under build/deps/TRIPLE. Cached: a
# second run with the library in place does nothing.
#   build-liblzma-mingw.sh TRIPLE...      (i686-w64-mingw32, x86_64-w64-mingw32)
set -euo pipefail
cd "$(dirname "$0")/.."
deps="$PWD/build/deps"

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)

FetchSource() {
    local src="$deps/src"
    if compgen -G "$src/xz-utils-*/configure" >/dev/null; then
        return
    fi
    if ! apt-cache showsrc xz-utils 2>/dev/null | grep -q '^Package: xz-utils'; then
        # No source entry yet: add Debian's own, for this release, and refresh.
        . /etc/os-release
        "${sudo[@]}" tee /etc/apt/sources.list.d/quovant-deb-src.sources >/dev/null <<SOURCES
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $VERSION_CODENAME $VERSION_CODENAME-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
        "${sudo[@]}" apt-get update -qq
    fi
    rm -rf "$src" && mkdir -p "$src"
    (cd "$src" && apt-get source -qq xz-utils >/dev/null 2>&1)
    compgen -G "$src/xz-utils-*/configure" >/dev/null || { echo "xz-utils source has no configure" >&2; exit 1; }
}

for triple in "$@"; do
    prefix="$deps/$triple"
    [ -f "$prefix/lib/liblzma.a" ] && continue
    FetchSource
    source_dir=$(compgen -G "$deps/src/xz-utils-*/configure" | head -n 1 | xargs dirname)
    work="$deps/work-$triple"
    rm -rf "$work" && mkdir -p "$work"
    echo "Building liblzma for $triple"
    if ! (cd "$work" && "$source_dir/configure" --host="$triple" --prefix="$prefix" \
            --enable-static --disable-shared --disable-xz --disable-xzdec --disable-lzmadec \
            --disable-lzmainfo --disable-scripts --disable-doc --disable-nls &&
            make -j"$(nproc)" && make install) >"$deps/build-$triple.log" 2>&1; then
        tail -n 30 "$deps/build-$triple.log" >&2
        exit 1
    fi
    rm -rf "$work"
done
