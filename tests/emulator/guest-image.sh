#!/usr/bin/env bash
# Builds, once, the emulated Debian 12 guest that runs the i686 Windows programs under
# wine32 (this machine's kernel runs no 32-bit x86 code), and caches it:
#
#   guest-image.sh GUEST_DIR
#
# GUEST_DIR/root.img    ext4 root file system (raw), with a win32 Wine prefix already
#                       made in /root/.wine, CJK fonts mapped and a virtual desktop
# GUEST_DIR/vmlinuz, initrd.img   the guest's kernel and initrd, booted directly
# GUEST_DIR/stamp       hash of this script and guest-init.sh: a later call rebuilds
#                       only when either has changed (or a file is missing)
#
# Installs what it needs on the host with apt-get (sudo when not root). Takes about
# 10 minutes; run-job.sh then boots the guest in well under a minute per job.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/emulator-lib.sh"

# Guest packages: kernel and initrd tools, X server for GUI programs (and xprop,
# which gives the root window a work area), Wine with its 32-bit half and the
# i386 X libraries winex11.drv loads, fonts for CJK text and Wine's caption
# buttons.
guest_packages() {
    local pkgs=(linux-image-amd64 initramfs-tools kmod udev procps xvfb xauth x11-utils
        wine wine64 wine32:i386 fonts-wine fonts-noto-cjk)
    local lib
    for lib in libxrender1 libxcursor1 libxi6 libxrandr2 libxfixes3 libxinerama1 libxcomposite1; do
        pkgs+=("$lib:i386")
    done
    local IFS=,
    echo "${pkgs[*]}"
}

recipe_hash() {
    cat "$here/guest-image.sh" "$here/guest-init.sh" | sha256sum | cut -d' ' -f1
}

up_to_date() {
    [ -f "$guest/stamp" ] && [ "$(cat "$guest/stamp")" = "$(recipe_hash)" ] \
        && [ -f "$guest/root.img" ] && [ -f "$guest/vmlinuz" ] && [ -f "$guest/initrd.img" ]
}

# The machine's own Debian entries, gathered into one sources file wherever it
# keeps them, are the mirror argument: the guest gets its packages wherever
# this machine gets its own.
host_sources() {  # host_sources FILE [--without-security]
    python3 "$here/../../scripts/apt_entries.py" --type deb "${@:2}" >"$1" ||
        die "no Debian entries for this release in this machine's apt sources"
}

host_suite() {
    . /etc/os-release
    echo "${VERSION_CODENAME:?cannot tell which Debian release this machine runs}"
}

make_root_tree() {
    local root=$1 sources
    sources=$(dirname "$root")/host.sources
    log "installing the guest's packages (mmdebstrap, several minutes)"
    # A mirror caught in the middle of a sync serves indices that disagree with
    # its Release file, and mmdebstrap stops at the first such error: try
    # again after a pause. A mirror that stays so is most often behind on the
    # security suite alone; the last try leaves that suite out (the guest is a
    # test machine that never goes online, and both architectures then come
    # from the same suites, so their versions agree).
    local attempt=1
    host_sources "$sources"
    until bootstrap_tree "$root" "$sources"; do
        [ "$attempt" -lt "$MMDEBSTRAP_ATTEMPTS" ] ||
            die "mmdebstrap failed $attempt times; is this machine's Debian mirror reachable?"
        attempt=$((attempt + 1))
        if [ "$attempt" -lt "$MMDEBSTRAP_ATTEMPTS" ]; then
            log "mmdebstrap failed; trying again in 60 s (attempt $attempt of $MMDEBSTRAP_ATTEMPTS)"
            sleep 60
        else
            log "mmdebstrap failed again; the last try leaves the security suite out" \
                "(attempt $attempt of $MMDEBSTRAP_ATTEMPTS)"
            host_sources "$sources" --without-security
        fi
    done
    rm -f "$sources"
    as_root install -m 755 "$here/guest-init.sh" "$root/sbin/quovant-init"
    as_root mkdir -p "$root/job"
    echo quovant-guest | as_root tee "$root/etc/hostname" > /dev/null
}

MMDEBSTRAP_ATTEMPTS=3

# One try at the guest's root tree; an unfinished tree is removed so the next
# try starts clean.
bootstrap_tree() {  # bootstrap_tree ROOT SOURCES
    local root=$1 sources=$2
    as_root rm -rf "$root"
    # The hooks' "$1" is the root tree, expanded by mmdebstrap's shell.
    # shellcheck disable=SC2016
    as_root mmdebstrap --variant=minbase --architectures=amd64,i386 \
        --aptopt='Acquire::Retries "3"' \
        --include="$(guest_packages)" \
        --dpkgopt='path-exclude=/usr/share/doc/*' \
        --dpkgopt='path-exclude=/usr/share/man/*' \
        --dpkgopt='path-exclude=/usr/share/info/*' \
        --dpkgopt='path-exclude=/usr/share/locale/*' \
        --dpkgopt='path-include=/usr/share/locale/locale.alias' \
        --customize-hook='rm -f "$1"/etc/apt/sources.list "$1"/etc/apt/sources.list.d/*' \
        --customize-hook='rm -rf "$1"/var/cache/apt/* "$1"/var/lib/apt/lists/*' \
        "$(host_suite)" "$root" "$sources"
}

copy_kernel() {
    local root=$1 dest=$2 kernel initrd
    kernel=$(find "$root/boot" -name 'vmlinuz-*' | sort -V | tail -n 1)
    initrd=$(find "$root/boot" -name 'initrd.img-*' | sort -V | tail -n 1)
    if [ ! -f "$kernel" ] || [ ! -f "$initrd" ]; then
        die "the guest has no kernel or initrd in /boot"
    fi
    as_root cat "$kernel" > "$dest/vmlinuz"
    as_root cat "$initrd" > "$dest/initrd.img"
}

# Raw ext4 image of the tree with room for the Wine prefix and each job's writes
# (those go to a throw-away overlay). Lazy init off: else the guest spends minutes
# zeroing inode tables in the background.
make_image() {
    local root=$1 img=$2 used_mb
    used_mb=$(as_root du -sm "$root" | cut -f1)
    log "making the root image (${used_mb} MiB of files)"
    rm -f "$img"
    as_root mke2fs -q -t ext4 -E lazy_itable_init=0,lazy_journal_init=0 -L quovant-root \
        -d "$root" "$img" "$((used_mb * 5 / 4 + 1536))M" > /dev/null
    as_root chown "$(id -u):$(id -g)" "$img"
}

# The job booted once on the fresh image itself (no overlay): makes the win32 prefix
# so every later boot starts with it, maps the CJK fonts the frontend asks for and
# turns on a virtual desktop (Wine then draws captions and frames without a window
# manager).
write_prepare_job() {
    local dir=$1
    mkdir -p "$dir"
    cat > "$dir/run.sh" <<'JOB'
#!/bin/sh
set -eu
t0=$(date +%s)
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
# A persistent server: the session then lives on between the commands below.
wineserver -p
wineboot --init < /dev/null
echo "wineboot --init took $(( $(date +%s) - t0 ))s"
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Microsoft Yahei' /d 'Noto Sans CJK SC' /f < /dev/null
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v Tahoma /t REG_MULTI_SZ /d 'NotoSansCJK-Regular.ttc,Noto Sans CJK SC' /f < /dev/null
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f < /dev/null
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 800x600 /f < /dev/null
cp -L /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
# Ends the session; the server writes the registry to disk as it goes.
wineserver -k
while pgrep wineserver > /dev/null; do sleep 0.5; done
test -f "$WINEPREFIX/system.reg"
grep -q 'Noto Sans CJK SC' "$WINEPREFIX/user.reg"
grep -q 'Desktops' "$WINEPREFIX/user.reg"
echo "prefix ready in $(( $(date +%s) - t0 ))s"
JOB
    chmod +x "$dir/run.sh"
}

prepare_prefix() {
    local stage=$1 status
    write_prepare_job "$stage/prepare"
    make_job_disk "$stage/prepare" "$stage/prepare.img"
    log "booting the new image once to make the Wine prefix"
    status=0
    boot_guest "$stage" "$stage/root.img" raw "$stage/prepare.img" "$stage/prepare-console.log" 600 || status=$?
    job_file "$stage/prepare.img" /out.log "$stage/prepare.log" && sed 's/^/  guest: /' "$stage/prepare.log" >&2
    if [ "$status" -ne 0 ] || ! job_file "$stage/prepare.img" /status "$stage/status" \
        || [ "$(cat "$stage/status")" != 0 ]; then
        show_failure "$stage/prepare-console.log"
        die "preparing the Wine prefix failed"
    fi
}

main() {
    [ $# -eq 1 ] || { echo "usage: $0 GUEST_DIR" >&2; exit 2; }
    mkdir -p "$1"
    guest=$(cd "$1" && pwd)
    # One build at a time; a caller that waited finds the image made by the other.
    exec 9> "$guest/lock"
    flock 9
    if up_to_date; then log "guest image in $guest is up to date"; return 0; fi
    local started stage
    started=$(date +%s)
    host_tools
    ensure_host_tools mmdebstrap:mmdebstrap
    stage=$guest/stage
    as_root rm -rf "$stage"
    mkdir -p "$stage"
    rm -f "$guest/stamp"
    make_root_tree "$stage/root"
    copy_kernel "$stage/root" "$stage"
    make_image "$stage/root" "$stage/root.img"
    as_root rm -rf "$stage/root"
    prepare_prefix "$stage"
    mv -f "$stage/root.img" "$stage/vmlinuz" "$stage/initrd.img" "$guest/"
    rm -rf "$stage"
    recipe_hash > "$guest/stamp"
    log "guest image ready in $guest after $(( $(date +%s) - started ))s"
}

main "$@"
