#!/usr/bin/env bash
# Draws Lanternfly's icon from its drawings in src/app/win32/icon and writes
# src/app/win32/Lanternfly.ico with 16, 32, 48 and 256 pixels (ImageMagick).
# The .ico is kept in the repository, so a build needs neither this script
# nor ImageMagick; run it again after changing a drawing.
set -euo pipefail
cd "$(dirname "$0")/.."
icon=src/app/win32/icon
out=src/app/win32/Lanternfly.ico
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The large drawing over a warm glow, then scaled.
convert -size 256x256 radial-gradient:'rgba(255,210,90,0.95)'-'rgba(255,150,0,0)' \
  \( -size 256x256 xc:none -draw "$(cat "$icon/lanternfly.mvg")" \) -composite "$work/256.png"
for size in 48 32; do
  convert "$work/256.png" -filter Lanczos -resize "${size}x${size}" "$work/$size.png"
done
convert -size 16x16 xc:none +antialias -draw "$(cat "$icon/lanternfly-16.mvg")" "$work/16.png"

# No time stamps inside, so the same drawings give the same file.
convert "$work/16.png" "$work/32.png" "$work/48.png" "$work/256.png" \
  -depth 8 -define png:exclude-chunks=date,time +set date:create +set date:modify "$out"
echo "$out"
