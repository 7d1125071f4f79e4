#!/usr/bin/env bash
# Turns the BMP pictures the Windows tests wrote into a folder into PNG files
# (ImageMagick's convert) and removes the BMPs.
set -euo pipefail
folder="${1:?usage: screenshots-png.sh FOLDER}"
shopt -s nullglob
for bmp in "$folder"/*.bmp; do
  convert "$bmp" "${bmp%.bmp}.png"
  rm -f "$bmp"
done
