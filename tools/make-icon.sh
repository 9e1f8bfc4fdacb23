#!/usr/bin/env bash
# Renders the program icon's source drawing into a Windows .ico holding
# 48, 32 and 16 pixel images, 32 bits per pixel with alpha: rsvg-convert
# draws each size from the SVG, and icotool packs them as BMP entries.
#   make-icon.sh SOURCE.svg OUTPUT.ico
set -euo pipefail
source=$1 output=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for size in 48 32 16; do
    rsvg-convert --width "$size" --height "$size" --format png --output "$work/$size.png" "$source"
done
icotool --create --output "$output" "$work/48.png" "$work/32.png" "$work/16.png"
