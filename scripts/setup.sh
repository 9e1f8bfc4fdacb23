#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need;
# with --web also the page's tool chain and browser (Emscripten, Chromium),
# which only the test command and `run.sh --web` need. Idempotent: does
# nothing when every package is already installed.
#   setup.sh [--web]
set -euo pipefail

packages=(
    # native build and tests
    cmake ninja-build g++ pkg-config python3
    libgtest-dev liblzma-dev libbenchmark-dev libx11-dev
    clang libclang-rt-14-dev
    # Windows cross builds, liblzma from Debian's source, and wine64 to run them
    g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools googletest dpkg-dev wine64
    # the Linux window; the icon's rendering (rsvg-convert) and packing (icotool)
    qt6-base-dev librsvg2-bin icoutils
    # JSON output of the command-line tool (header-only, also for MinGW)
    nlohmann-json3-dev
    # the tool's messages in other languages (xgettext, msgfmt, msgcmp)
    gettext
    # the Linux install and its Debian package: manual pages, checks of the
    # desktop entry, the metadata and the package
    scdoc desktop-file-utils appstream lintian
    # both windows' tests in a real X server, and their screenshots (ImageMagick)
    imagemagick xvfb xauth x11-utils xdotool fonts-noto-cjk fonts-wine
    # the emulated machine that runs the 32-bit Windows build (tests/emulator)
    mmdebstrap qemu-system-x86 qemu-utils e2fsprogs
)
if [ "${1:-}" = --web ]; then
    # the page: its compiler (and liblzma for wasm32 from Debian's source), its
    # browser tests in Debian's Chromium, driven by playwright-core from npm
    packages+=(emscripten chromium curl)
    # npm only where there is none: a Node.js from elsewhere conflicts with Debian's
    command -v npm >/dev/null || packages+=(npm)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
