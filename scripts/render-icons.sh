#!/usr/bin/env bash
# Renders the program icon resources/vornell.svg into the PNGs beside it,
# resources/icons/vornell-N.png, one for each size that desktops ask for
# (hicolor sizes 16 to 256). The PNGs are committed: the build then needs no
# SVG renderer, and the pixels do not change with the renderer's version.
# Run it after a change to the SVG (needs rsvg-convert: scripts/install-deps.sh icons).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$root/resources/icons"
for size in 16 24 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" --format png \
    --output "$root/resources/icons/vornell-$size.png" "$root/resources/vornell.svg"
done
ls -l "$root/resources/icons"
