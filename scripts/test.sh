#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: the native
# build, the fuzzers and the thread check (clang builds of their own), the
# 32-bit Windows deliverables (run in an emulated machine with wine32) and
# their 64-bit twin (run under wine64). Every preset runs even when one
# fails; a line per preset then sums up, and the exit code is non-zero when
# any failed.
set -uo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh --web || exit 1
deps_ok=1
scripts/build-deps.sh i686-w64-mingw32 x86_64-w64-mingw32 || deps_ok=0
web_deps_ok=1
scripts/build-deps.sh wasm32 || web_deps_ok=0

StopWine() {
    [ -d build/win64/wineprefix ] && cmake/wine-run.sh "$PWD/build/win64/wineprefix" --stop || true
}
trap StopWine EXIT

summary=()
failures=0

# Builds and tests one preset; adds its line to the summary.
RunPreset() {  # RunPreset PRESET
    local preset=$1 started=$SECONDS log
    log=build/ctest-$1.log
    echo "== $preset"
    Record() {  # Record RESULT DETAILS
        summary+=("$(printf '%-6s %-7s %s (%d s)' "$preset" "$1" "$2" $((SECONDS - started)))")
        [ "$1" = passed ] || failures=$((failures + 1))
    }
    if [ "$deps_ok" -eq 0 ] && [[ $preset == win* ]]; then
        Record FAILED "liblzma or Google Benchmark for MinGW could not be built"
        return
    fi
    if [ "$web_deps_ok" -eq 0 ] && [ "$preset" = web ]; then
        Record FAILED "liblzma for wasm32 could not be built"
        return
    fi
    if ! cmake --preset "$preset" >/dev/null || ! cmake --build --preset "$preset"; then
        Record FAILED "the build failed"
        return
    fi
    # The emulated machine that runs the 32-bit build: made once, minutes.
    if [ "$preset" = win32 ] && ! tests/emulator/guest-image.sh build/i686-guest; then
        Record FAILED "the emulated machine could not be made"
        return
    fi
    mkdir -p build
    ctest --preset "$preset" 2>&1 | tee "$log"
    local status=${PIPESTATUS[0]} counts
    counts=$(sed -n 's/^[0-9]*% tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\)$/\1 \2/p' "$log" | tail -n 1)
    local failed=${counts% *} total=${counts#* }
    [ -n "$counts" ] || { failed="?" total="?"; }
    # A test that could not run here (ctest's "Skipped") is named in the line.
    local skipped
    skipped=$(grep -c '(Skipped)$' "$log" || true)
    if [ "$status" -eq 0 ] && [ "$skipped" -gt 0 ]; then
        Record passed "$total tests, $skipped of them skipped: $(sed -n 's/^.* - \(.*\) (Skipped)$/\1/p' "$log" | paste -sd ' ')"
    elif [ "$status" -eq 0 ]; then
        Record passed "$total tests"
    else
        Record FAILED "$failed of $total tests failed"
    fi
}

for preset in linux fuzz tsan win32 win64 web; do
    RunPreset "$preset"
done

echo "== summary"
printf '%s\n' "${summary[@]}"
[ "$failures" -eq 0 ]
