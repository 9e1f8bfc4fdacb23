#!/usr/bin/env bash
# Creates the Wine prefix that the Windows tests run in, once: boots it, maps
# the fonts the dialog asks for to installed CJK fonts, and gives its windows
# an 800 × 600 virtual desktop, where Wine draws captions and frames itself
# as Windows would (a bare X server has no window manager to draw them).
#   wine-prefix.sh PREFIX
set -euo pipefail
prefix=$1
here=$(dirname "$0")
[ -f "$prefix/.quovant-ready" ] && exit 0
rm -rf "$prefix"
mkdir -p "$prefix"
"$here/wine-run.sh" "$prefix" wineboot -i >/dev/null 2>&1
"$here/wine-run.sh" "$prefix" reg add 'HKCU\Software\Wine\Fonts\Replacements' \
    /v 'Microsoft Yahei' /d 'Noto Sans CJK SC' /f >/dev/null
"$here/wine-run.sh" "$prefix" reg add \
    'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
    /v Tahoma /t REG_MULTI_SZ /d 'NotoSansCJK-Regular.ttc,Noto Sans CJK SC' /f >/dev/null
"$here/wine-run.sh" "$prefix" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null
"$here/wine-run.sh" "$prefix" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 800x600 /f >/dev/null
# Wine draws the caption buttons with Marlett, which it does not find in
# Debian's fonts-wine by itself.
cp /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
. "$here/wine-env.sh"
WINEPREFIX=$prefix "$WINESERVER64" -w
touch "$prefix/.quovant-ready"
