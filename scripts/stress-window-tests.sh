#!/usr/bin/env bash
# Runs every window test many times on an X display where short-lived windows
# of another program keep opening and closing, to show that no window test
# depends on having the display to itself: the Linux window's tests
# (ctest --preset linux -R 'frontend|main_dialog|single_instance') RUNS times
# and the Windows dialog's driver under wine64 (ctest --preset win64 -R
# frontend_gui) WINE_RUNS times. Prints a line per run and the counts; exits
# non-zero when any run failed (its output is kept in build/stress/).
#   scripts/stress-window-tests.sh [RUNS [WINE_RUNS]]     (default 30 and 10)
# Needs the linux and win64 presets configured (scripts/test.sh does that).
set -uo pipefail
cd "$(dirname "$0")/.."
runs=${1:-30} wine_runs=${2:-10}
logs=build/stress
rm -rf "$logs" && mkdir -p "$logs"

cmake --build --preset linux >/dev/null && cmake --build --preset win64 >/dev/null ||
    { echo "build the linux and win64 presets first (scripts/test.sh)" >&2; exit 2; }

# A display of its own, and a loop that keeps windows coming and going on it.
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
server=$!
churn=""
Stop() {
    [ -n "$churn" ] && kill "$churn" 2>/dev/null
    pkill -f "xmessage -display $display" 2>/dev/null
    kill "$server" 2>/dev/null
}
trap Stop EXIT
for _ in $(seq 50); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done
while :; do
    xmessage -display "$display" -timeout 1 x >/dev/null 2>&1 &
    sleep 0.05
done &
churn=$!
export QUOVANT_TEST_DISPLAY=$display

failures=0
Repeat() {  # Repeat NAME TIMES CTEST_ARGS...
    local name=$1 times=$2 failed=0 started=$SECONDS
    shift 2
    for i in $(seq "$times"); do
        if ctest "$@" >"$logs/$name-$i.log" 2>&1; then
            echo "$name run $i: passed"
            rm -f "$logs/$name-$i.log"
        else
            echo "$name run $i: FAILED (build/stress/$name-$i.log)"
            failed=$((failed + 1))
        fi
    done
    echo "$name: $((times - failed)) of $times runs passed, $failed failed ($((SECONDS - started)) s)"
    failures=$((failures + failed))
}
Repeat linux "$runs" --preset linux -R 'frontend|main_dialog|single_instance'
Repeat win64 "$wine_runs" --preset win64 -R frontend_gui
[ "$failures" -eq 0 ]
