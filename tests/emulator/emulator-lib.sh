# shellcheck shell=bash
# Shared pieces of guest-image.sh and run-job.sh: host packages, job disks and
# booting the emulated guest. Sourced, not run.
#
# Tunables (environment):
#   QUOVANT_GUEST_CPUS     virtual CPUs of the guest (default 2)
#   QUOVANT_GUEST_MEM_MB   guest memory in MiB (default 4096)
#   QUOVANT_BOOT_SLACK     seconds the host allows for boot and power-off on top of
#                          the job's own limit before it kills the emulator (default 240)
#   QUOVANT_JOB_DISK_EXTRA_MB  free room on the job disk for results, in MiB (default 512)

log() { echo "[emulator $(date +%H:%M:%S)] $*" >&2; }
die() { log "error: $*"; exit 1; }

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs the Debian packages named "command:package" whose command is missing.
ensure_host_tools() {
    local missing=() pair
    export PATH=$PATH:/usr/sbin:/sbin
    for pair in "$@"; do
        command -v "${pair%%:*}" > /dev/null 2>&1 || missing+=("${pair#*:}")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    log "installing host packages: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" > /dev/null
}

host_tools() {
    ensure_host_tools qemu-system-x86_64:qemu-system-x86 qemu-img:qemu-utils \
        mke2fs:e2fsprogs debugfs:e2fsprogs timeout:coreutils
}

# make_job_disk SRC_DIR IMG : an ext4 image holding SRC_DIR's files with room for results.
make_job_disk() {
    local src=$1 img=$2 used_mb size_mb
    used_mb=$(du -sm "$src" | cut -f1)
    size_mb=$((used_mb * 2 + ${QUOVANT_JOB_DISK_EXTRA_MB:-512}))
    mke2fs -q -t ext4 -E lazy_itable_init=0,lazy_journal_init=0 -L quovant-job \
        -d "$src" "$img" "${size_mb}M" > /dev/null
}

# boot_guest GUEST_DIR ROOT_DISK ROOT_FORMAT JOB_IMG SERIAL_LOG JOB_SECONDS
# Runs the guest until it powers off; returns the exit status of timeout/qemu
# (124 when the host had to kill it). timeout runs in a process group of its own, so
# a Ctrl-C or a TERM to the calling script would not reach the emulator: the trap
# passes it on, else an orphaned emulator would go on burning both cores.
boot_guest() {
    local dir=$1 root=$2 fmt=$3 job=$4 serial=$5 secs=$6
    local limit=$((secs + ${QUOVANT_BOOT_SLACK:-240}))
    # -cpu max,-smap: with SMAP visible, QEMU 7.2's TCG faults on the 32-bit iret
    # back into Wine's code and every Wine process dies in a kernel oops.
    timeout -k 10 "$limit" qemu-system-x86_64 \
        -machine q35 -accel tcg,thread=multi \
        -smp "${QUOVANT_GUEST_CPUS:-2}" -cpu max,-smap -m "${QUOVANT_GUEST_MEM_MB:-4096}" \
        -kernel "$dir/vmlinuz" -initrd "$dir/initrd.img" \
        -append "root=/dev/vda rw init=/sbin/quovant-init console=ttyS0 panic=-1 quiet quovant.timeout=$secs" \
        -drive "file=$root,format=$fmt,if=virtio,cache=unsafe" \
        -drive "file=$job,format=raw,if=virtio" \
        -nic none -display none -monitor none -serial "file:$serial" -no-reboot \
        < /dev/null > "$serial.qemu" 2>&1 &
    guest_pid=$!
    trap 'kill -TERM "$guest_pid" 2>/dev/null; log "interrupted: emulator stopped"; exit 130' INT TERM HUP
    local status=0
    wait "$guest_pid" || status=$?
    trap - INT TERM HUP
    return "$status"
}

# job_file JOB_IMG PATH DEST : copies one file out of the job image (no mount needed);
# fails when the file is not there.
job_file() {
    rm -f "$3"
    debugfs -R "dump $2 $3" "$1" > /dev/null 2>&1
    [ -f "$3" ]
}

show_failure() {
    local serial=$1
    echo "---- last lines of the guest console ($serial) ----" >&2
    tail -n 40 "$serial" >&2 2>/dev/null || true
    [ -s "$serial.qemu" ] && { echo "---- emulator messages ----" >&2; tail -n 20 "$serial.qemu" >&2; }
    return 0
}
