#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: the native
# build, the fuzzer (a clang build of its own), the 32-bit Windows
# deliverable (checked statically) and its 64-bit twin (run under wine64).
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
    ctest --preset "$preset"
done
