#!/usr/bin/env bash
# Renders icon.svg into tavimo.ico with 16, 32, 48, 64 and 128 pixel images
# (ImageMagick). The .ico is committed, so the build needs no image tools;
# run this after changing the picture.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for s in 16 32 48 64 128; do
    convert -background none -density 384 icon.svg -resize "${s}x${s}" "PNG32:$tmp/$s.png"
done
convert "$tmp"/16.png "$tmp"/32.png "$tmp"/48.png "$tmp"/64.png "$tmp"/128.png tavimo.ico
