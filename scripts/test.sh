#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: the native
# build, the fuzzer (a clang build of its own), the 32-bit Windows
# deliverables (run in an emulated machine with wine32) and their 64-bit
# twin (run under wine64).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
scripts/build-deps-mingw.sh i686-w64-mingw32 x86_64-w64-mingw32

StopWine() {
    [ -d build/win64/wineprefix ] && cmake/wine-run.sh "$PWD/build/win64/wineprefix" --stop || true
}
trap StopWine EXIT

for preset in linux fuzz win32 win64; do
    echo "== $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    if [ "$preset" = win32 ]; then
        # The emulated machine that runs the 32-bit build: made once, minutes.
        tests/emulator/guest-image.sh build/i686-guest
    fi
    ctest --preset "$preset"
done
