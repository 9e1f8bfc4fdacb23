#!/usr/bin/env bash
# The Linux install and the Debian package: installs into a staging folder
# and runs the installed tool and window from there, validates the desktop
# entry, the AppStream metadata and the manual page, then makes the package
# with CPack and checks its contents and lintian's verdict (no errors).
#   package_test.sh BUILD_DIR
set -uo pipefail
build=$1
work=$(mktemp -d)
trap 'kill "$gui" 2>/dev/null; rm -rf "$work"' EXIT
passed=0 failed=0
Check() {  # Check WHAT COMMAND...
    local what=$1
    shift
    if "$@" >"$work/check.log" 2>&1; then
        passed=$((passed + 1)) && echo "ok   $what"
    else
        failed=$((failed + 1)) && echo "FAIL $what" && tail -n 20 "$work/check.log"
    fi
}
Contains() { grep -q -- "$2" "$1"; }

stage=$work/stage
DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
app=org.quovant.Quovant

# The installed tool answers as the built one, through its relative RUNPATH.
"$build/bin/quovant" 一心一意 >"$work/expected"
"$stage/usr/bin/quovant" 一心一意 >"$work/got" 2>&1
Check "installed quovant answers a query" cmp "$work/expected" "$work/got"
"$stage/usr/bin/quovant" info 一心一意 >"$work/info" 2>&1
Check "installed quovant knows meanings" Contains "$work/info" "只有一个心眼儿"
# Its catalogue is found from its own place, wherever the install is.
LANGUAGE=zh_CN LC_ALL=C.UTF-8 "$stage/usr/bin/quovant" --bogus >"$work/chinese" 2>&1
Check "installed quovant speaks Chinese from its relocated catalogue" Contains "$work/chinese" "未知选项"

# The installed window binds its library and claims its single-instance
# socket (only after binding); offscreen, in a runtime folder of its own.
mkdir -m 700 "$work/runtime"
XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=offscreen "$stage/usr/bin/quovant-gui" >/dev/null 2>&1 &
gui=$!
for _ in $(seq 300); do [ -S "$work/runtime/trevul.mutex.idioms.socket" ] && break; sleep 0.1; done
Check "installed quovant-gui starts with its library" test -S "$work/runtime/trevul.mutex.idioms.socket"
kill "$gui" 2>/dev/null

Check "desktop entry is valid" desktop-file-validate "$stage/usr/share/applications/$app.desktop"
Check "desktop entry starts quovant-gui" Contains "$stage/usr/share/applications/$app.desktop" "^Exec=quovant-gui$"
Check "AppStream metadata is valid" appstreamcli validate --no-net "$stage/usr/share/metainfo/$app.metainfo.xml"
for language in "" zh_CN/; do
    zcat "$stage/usr/share/man/${language}man1/quovant.1.gz" >"$work/man"
    Check "manual page ${language}quovant(1) names every subcommand and exit code" \
        sh -c 'for w in "quovant next" "quovant info" "quovant path" "quovant play" "^.fB0" "^.fB5"; do
                   grep -q "$w" "$1" || exit 1; done' sh "$work/man"
done

# The package: made by CPack from the same install rules.
(cd "$build" && cpack >"$work/cpack.log" 2>&1)
deb=$(sed -n 's/.*package: \(.*\.deb\) generated.*/\1/p' "$work/cpack.log")
Check "package made" test -f "$deb"
dpkg-deb -c "$deb" | awk '{print $6}' >"$work/contents"
for path in ./usr/bin/quovant ./usr/bin/quovant-gui ./usr/lib/quovant/libQuovant.so \
    "./usr/share/applications/$app.desktop" "./usr/share/metainfo/$app.metainfo.xml" \
    "./usr/share/icons/hicolor/48x48/apps/$app.png" "./usr/share/icons/hicolor/scalable/apps/$app.svg" \
    ./usr/share/man/man1/quovant.1.gz ./usr/share/man/zh_CN/man1/quovant.1.gz \
    ./usr/share/man/zh_CN/man1/quovant-gui.1.gz ./usr/share/locale/zh_CN/LC_MESSAGES/quovant.mo \
    ./usr/share/bash-completion/completions/quovant \
    ./usr/share/doc/quovant/copyright ./usr/share/doc/quovant/changelog.gz; do
    Check "package holds $path" grep -qx -- "$path" "$work/contents"
done
Check "package has no headers" sh -c '! grep -q "\.h$" "$1"' sh "$work/contents"
Check "package depends on what its binaries need" sh -c 'dpkg-deb -f "$1" Depends | grep -q liblzma5' sh "$deb"
Check "lintian reports no errors" lintian --fail-on error "$deb"
echo "package: $deb ($(stat -c %s "$deb") bytes)"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
