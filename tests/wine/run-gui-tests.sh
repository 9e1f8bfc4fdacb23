#!/usr/bin/env bash
# Runs the frontend driver under wine64 in a fresh Xvfb and turns its
# screenshot into a PNG.
#   run-gui-tests.sh PREFIX DRIVER.exe SCREENSHOT_BMP SCREENSHOT_PNG
set -euo pipefail
prefix=$1 driver=$2 bmp=$3 png=$4
here=$(cd "$(dirname "$0")/../.." && pwd)
# Wine's desktop process binds to the display it first meets: start clean.
"$here/cmake/wine-run.sh" "$prefix" --stop
rm -f "$bmp" "$png"
mkdir -p "$(dirname "$png")"
status=0
xvfb-run -a -s "-screen 0 1024x768x24" "$here/cmake/wine-run.sh" "$prefix" "$driver" || status=$?
"$here/cmake/wine-run.sh" "$prefix" --stop
if [ -f "$bmp" ]; then
    convert "$bmp" "$png" && rm -f "$bmp" && echo "screenshot: $png"
fi
exit "$status"
