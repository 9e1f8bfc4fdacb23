#!/bin/sh
# PID 1 of the emulated Debian guest that runs the i686 Windows programs under wine32.
# The host boots the guest with a second disk (/dev/vdb) holding a job: run.sh and
# whatever it needs. This init mounts the basics, runs /job/run.sh from /job with its
# output in /job/out.log under a watchdog, writes the exit status to /job/status,
# ends every other process (so Wine saves its registry), unmounts and powers off.
# The watchdog's limit comes from the kernel command line: quovant.timeout=SECONDS.
# Installed in the guest image as /sbin/quovant-init by guest-image.sh.

PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
export PATH

say() { echo "quovant-init: $*" > /dev/console; }

mount_basics() {
    mountpoint -q /proc || mount -t proc proc /proc
    mountpoint -q /sys || mount -t sysfs sysfs /sys
    mountpoint -q /dev || mount -t devtmpfs devtmpfs /dev
    mkdir -p /dev/pts /dev/shm
    mountpoint -q /dev/pts || mount -t devpts -o gid=5,mode=620 devpts /dev/pts
    mountpoint -q /dev/shm || mount -t tmpfs -o mode=1777 tmpfs /dev/shm
    mount -t tmpfs -o mode=1777 tmpfs /tmp
    mount -t tmpfs -o mode=755 tmpfs /run
    mount -o remount,rw /
    hostname quovant-guest
}

cmdline_timeout() {
    t=600
    # shellcheck disable=SC2013  # the command line is one line of words
    for word in $(cat /proc/cmdline); do
        case $word in quovant.timeout=*) t=${word#quovant.timeout=} ;; esac
    done
    echo "$t"
}

# Wine's environment: a 32-bit prefix (prepared when the image was built), no
# Mono/Gecko prompts, no debug noise. A job may override any of these.
wine_env() {
    export HOME=/root USER=root LANG=C.UTF-8 TERM=dumb
    export WINEPREFIX=/root/.wine WINEARCH=win32
    export WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all
}

# A persistent server keeps the Wine session (explorer, services) alive between the
# job's programs. Without it, a program started after the previous one ended can
# pay the whole session start again (measured: 26 s instead of 3 s on a busy host).
start_wine_session() {
    [ -f "$WINEPREFIX/system.reg" ] || return 0
    wineserver -p < /dev/null > /dev/null 2>&1 || say "could not start wineserver"
}

run_job() {
    limit=$1
    cd /job || return 1
    if [ ! -f run.sh ]; then echo "no run.sh on the job disk" >> out.log; return 127; fi
    chmod +x run.sh
    # timeout runs the job in its own process group and signals the whole group.
    timeout -k 10 "$limit" ./run.sh >> /job/out.log 2>&1 < /dev/null
}

end_everything() {
    # TERM first: wineserver writes the registry when it exits cleanly.
    kill -TERM -1 2>/dev/null
    n=0
    while [ $n -lt 10 ] && pgrep wineserver > /dev/null; do
        sleep 1; n=$((n + 1))
    done
    kill -KILL -1 2>/dev/null
    sleep 1
}

power_off() {
    sync
    umount /job 2>/dev/null || mount -o remount,ro /job 2>/dev/null
    mount -o remount,ro / 2>/dev/null
    sync
    echo o > /proc/sysrq-trigger
    sleep 30
}

main() {
    mount_basics
    limit=$(cmdline_timeout)
    mkdir -p /job
    if ! mount -t ext4 /dev/vdb /job; then
        say "cannot mount the job disk"; power_off
    fi
    mkdir -p /job/out
    : > /job/out.log
    rm -f /job/status
    wine_env
    start_wine_session
    say "job start (watchdog ${limit}s)"
    start=$(cut -d' ' -f1 /proc/uptime)
    run_job "$limit"
    status=$?
    end=$(cut -d' ' -f1 /proc/uptime)
    [ $status -eq 124 ] && echo "quovant-init: watchdog ended the job after ${limit}s" >> /job/out.log
    echo "$status" > /job/status
    say "job exit status $status (guest uptime $start s at start, $end s at end)"
    end_everything
    power_off
}

main
