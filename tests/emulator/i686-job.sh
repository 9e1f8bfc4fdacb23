#!/bin/sh
# The job that runs in the emulated guest as /job/run.sh (made by
# i686-tests.sh): binds the build tree at its own path, so that the paths
# built into the test programs hold, then runs the unit test programs, the
# dialog's driver in an X server and the console tool, and reports each.
cd /job || exit 1
. ./settings
mkdir -p out "$BUILD"
mount --bind "/job/tree$BUILD" "$BUILD"

passed=0 failed=0
Report() {  # Report NAME STATUS LOG
    if [ "$2" -eq 0 ]; then
        echo "ok   $1"
        passed=$((passed + 1))
    else
        echo "FAIL $1 (exit code $2)"
        tail -n 40 "$3"
        failed=$((failed + 1))
    fi
}

while read -r program; do
    name=$(basename "$program" .exe)
    wine "$program" --gtest_brief=1 </dev/null >"out/$name.log" 2>&1
    Report "$name" $? "out/$name.log"
done <unit-tests

wine "$QUOVANT" 一心一意 </dev/null >out/quovant.txt 2>&1
code=$?
if [ "$code" -eq 0 ] && [ "$(tr -d '\r' <out/quovant.txt)" = "$(cat expected-quovant.txt)" ]; then
    Report quovant.exe 0 out/quovant.txt
else
    [ "$code" -ne 0 ] || code=1  # it answered, but not what it must
    Report quovant.exe "$code" out/quovant.txt
fi

# The X server keeps its root window's properties between clients.
Xvfb :1 -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
for _ in $(seq 50); do [ -e /tmp/.X11-unix/X1 ] && break; sleep 0.2; done
DISPLAY=:1 wine "$BUILD/tests/frontend_driver.exe" --gtest_brief=1 </dev/null >out/frontend_driver.log 2>&1
Report frontend_driver $? out/frontend_driver.log
cp "$SCREENSHOT_BMP" out/frontend.bmp 2>/dev/null

# The placement test again outside Wine's virtual desktop (whose work area
# always starts at 0,0), on a work area whose left and top are not 0, which
# Wine takes from the root window's _NET_WORKAREA. A new Wine session then
# makes its desktop without the virtual one.
DISPLAY=:1 xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA "$WORK_AREA"
wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f </dev/null >/dev/null 2>&1
wineserver -k
while pgrep wineserver >/dev/null; do sleep 0.5; done
DISPLAY=:1 QUOVANT_WORK_AREA=$WORK_AREA wine "$BUILD/tests/frontend_driver.exe" --gtest_brief=1 \
    --gtest_filter='RunningFrontend.WindowIsPlaced*' </dev/null >out/frontend_placement.log 2>&1
Report frontend_driver_placement $? out/frontend_placement.log

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
