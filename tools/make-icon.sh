#!/usr/bin/env bash
# Renders the program icon's source drawing into a Windows .ico holding
# 48, 32 and 16 pixel images, 32 bits per pixel with alpha.
#   make-icon.sh SOURCE.svg OUTPUT.ico
set -euo pipefail
source=$1 output=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for size in 48 32 16; do
    convert -background none -density 384 "$source" -resize "${size}x${size}" \
        -define png:color-type=6 "PNG32:$work/$size.png"
done
# ImageMagick writes images below 256 pixels as 32-bit BMP entries with alpha.
convert "$work/48.png" "$work/32.png" "$work/16.png" "$output"
