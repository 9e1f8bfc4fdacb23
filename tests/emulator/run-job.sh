#!/usr/bin/env bash
# Runs one job in the emulated Debian guest (wine32 for the i686 Windows programs).
#
#   run-job.sh GUEST_DIR JOB_DIR OUT_DIR TIMEOUT_SECONDS
#
# GUEST_DIR  the guest made by guest-image.sh (root.img, vmlinuz, initrd.img)
# JOB_DIR    an executable run.sh plus the files it needs. In the guest it runs as root
#            from /job with WINEPREFIX=/root/.wine (a ready win32 prefix), WINEARCH=win32,
#            WINEDEBUG=-all; its stdout/stderr go to /job/out.log and it leaves files
#            in /job/out/.
# OUT_DIR    receives out.log, out/ and console.log (the guest's serial console)
# TIMEOUT_SECONDS  the guest's watchdog ends run.sh after this long; the host kills
#            the emulator QUOVANT_BOOT_SLACK (240) seconds later still.
#
# Prints out.log and exits with run.sh's exit status; a run that timed out or left
# no status fails and prints the tail of the guest's console. The guest's disk is a
# throw-away overlay: nothing a job does survives it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/emulator-lib.sh"

usage() { echo "usage: $0 GUEST_DIR JOB_DIR OUT_DIR TIMEOUT_SECONDS" >&2; exit 2; }

check_args() {
    local f
    for f in root.img vmlinuz initrd.img; do
        [ -f "$guest/$f" ] || die "$guest holds no guest image: run guest-image.sh $guest first"
    done
    [ -f "$job_dir/run.sh" ] || die "$job_dir/run.sh is missing"
    [[ $secs =~ ^[1-9][0-9]*$ ]] || die "TIMEOUT_SECONDS must be a positive number"
}

# shellcheck disable=SC2317  # run by the EXIT trap
cleanup() { rm -rf "$work"; }

prepare_disks() {
    qemu-img create -q -f qcow2 -b "$guest/root.img" -F raw "$work/overlay.qcow2"
    make_job_disk "$job_dir" "$work/job.img"
}

collect_results() {
    rm -rf "$out/out" "$out/out.log"
    job_file "$work/job.img" /out.log "$out/out.log" || : > "$out/out.log"
    debugfs -R "rdump /out $out" "$work/job.img" > /dev/null 2>&1 || true
    mkdir -p "$out/out"
}

main() {
    [ $# -eq 4 ] || usage
    guest=$(cd "$1" && pwd) job_dir=$2 out=$3 secs=$4
    check_args
    host_tools
    mkdir -p "$out"
    out=$(cd "$out" && pwd)
    work=$(mktemp -d "${TMPDIR:-/tmp}/quovant-job.XXXXXX")
    trap cleanup EXIT
    prepare_disks
    local serial=$out/console.log started qemu_status=0 status
    started=$(date +%s)
    log "booting the guest for $job_dir (job limit ${secs}s)"
    boot_guest "$guest" "$work/overlay.qcow2" qcow2 "$work/job.img" "$serial" "$secs" || qemu_status=$?
    log "guest finished after $(( $(date +%s) - started ))s"
    collect_results
    cat "$out/out.log"
    if [ "$qemu_status" -eq 124 ] || [ "$qemu_status" -eq 137 ]; then
        log "the emulator did not finish in time and was killed"
        show_failure "$serial"; exit 124
    fi
    if ! job_file "$work/job.img" /status "$work/status"; then
        log "the guest left no job status (emulator exit $qemu_status)"
        show_failure "$serial"; exit 125
    fi
    status=$(tr -dc 0-9 < "$work/status")
    [ -n "$status" ] || { show_failure "$serial"; exit 125; }
    if [ "$status" -ne 0 ]; then
        log "job failed with status $status"
        [ "$status" -eq 124 ] && show_failure "$serial"
    fi
    exit "$status"
}

main "$@"
