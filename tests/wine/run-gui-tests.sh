#!/usr/bin/env bash
# Runs the frontend driver under wine64 in an X server (tests/with-x-server.sh)
# and turns its screenshot into a PNG. The driver runs twice:
#   - all of it in Wine's 800 × 600 virtual desktop, which draws captions and
#     frames as Windows would (the screenshot);
#   - its placement test again outside the virtual desktop, whose work area
#     always starts at 0,0: there Wine takes the work area from the X root
#     window's _NET_WORKAREA, which is given a left and top that are not 0,
#     so that placing the window by the work area's size alone and placing
#     it by the work area itself give different windows.
#   run-gui-tests.sh PREFIX DRIVER.exe SCREENSHOT_BMP SCREENSHOT_PNG WORK_AREA
# WORK_AREA is the X work area (x,y,width,height) of the second run.
set -euo pipefail
prefix=$1 driver=$2 bmp=$3 png=$4 work_area=$5
here=$(cd "$(dirname "$0")/../.." && pwd)
run=$here/cmake/wine-run.sh

if [ -z "${QUOVANT_IN_X_SERVER:-}" ]; then
    QUOVANT_IN_X_SERVER=1 exec "$here/tests/with-x-server.sh" "$0" "$@"
fi

Restore() {
    xprop -root -remove _NET_WORKAREA 2>/dev/null || true
    "$run" "$prefix" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 || true
    "$run" "$prefix" --stop
}
trap Restore EXIT

# Wine's desktop process binds to the display it first meets: start clean.
"$run" "$prefix" --stop
rm -f "$bmp" "$png"
mkdir -p "$(dirname "$png")"
status=0
"$run" "$prefix" "$driver" || status=$?
"$run" "$prefix" --stop
if [ -f "$bmp" ]; then
    convert "$bmp" "$png" && rm -f "$bmp" && echo "screenshot: $png"
fi

echo "The placement test outside the virtual desktop, X work area $work_area:"
xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA "$work_area"
"$run" "$prefix" reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1
"$run" "$prefix" --stop
QUOVANT_WORK_AREA=$work_area "$run" "$prefix" "$driver" --gtest_filter='RunningFrontend.WindowIsPlaced*' ||
    status=$?
exit "$status"
