#!/usr/bin/env bash
# Runs the i686 Windows build's tests for real, under wine32 in the emulated
# Debian guest: every unit test program, the dialog's driver against the
# real frontend.exe and Quovant.dll, and the console tool for one query.
# Prints each check's result, fails when one fails, and keeps the guest's
# screenshot of the dialog as a PNG.
#   i686-tests.sh BUILD_DIR GUEST_DIR EXPECTED_LINE QUOVANT_EXE APPS_DIR SCREENSHOT_PNG WORK_AREA FILE...
# FILEs are the test programs and the libraries they load by their build
# paths; everything the job needs lies under BUILD_DIR and keeps its path
# in the guest. EXPECTED_LINE is what quovant.exe must print for 一心一意.
# WORK_AREA (x,y,width,height) is the X work area of the driver's placement
# test outside Wine's virtual desktop.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$1 guest=$2 expected=$3 quovant=$4 apps=$5 png=$6 work_area=$7
shift 7

# Builds the guest once; nothing to do when it is up to date.
"$here/guest-image.sh" "$guest"

job=$build/i686-job
rm -rf "$job"
mkdir -p "$job/tree"
Place() {  # Place PATH: into the job's tree at its own path
    mkdir -p "$job/tree$(dirname "$1")"
    cp -a "$1" "$job/tree$1"
}
for file in "$@" "$quovant" "$apps"; do
    case $(realpath "$file") in "$(realpath "$build")"/*) ;; *) echo "not under $build: $file" >&2; exit 2 ;; esac
    Place "$file"
done
mkdir -p "$job/tree$(dirname "$png")"
cp "$here/i686-job.sh" "$job/run.sh"
{
    echo "BUILD=$(realpath "$build")"
    echo "QUOVANT=$quovant"
    echo "SCREENSHOT_BMP=$(dirname "$png")/frontend.bmp"
    echo "WORK_AREA=$work_area"
} >"$job/settings"
for file in "$@"; do
    case $file in *_driver.exe | *.dll) ;; *.exe) echo "$file" ;; esac
done >"$job/unit-tests"
printf '%s\n' "$expected" >"$job/expected-quovant.txt"

out=$build/i686-results
status=0
"$here/run-job.sh" "$guest" "$job" "$out" 1500 || status=$?
if [ -f "$out/out/frontend.bmp" ]; then
    mkdir -p "$(dirname "$png")"
    convert "$out/out/frontend.bmp" "$png" && echo "screenshot of the i686 dialog: $png"
fi
rm -rf "$job"
exit "$status"
