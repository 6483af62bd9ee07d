#!/usr/bin/env bash
# Renders the application icon's PNG sizes from its SVG in data/icons/hicolor;
# the PNGs are committed, so a build needs no SVG renderer.
#
# Usage: scripts/make-icons.sh
# Needs rsvg-convert (bash scripts/install-deps.sh icons installs it).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
theme="$root/data/icons/hicolor"
name=io.github.orvanta.Orvanta
svg="$theme/scalable/apps/$name.svg"
sizes=(48 128 256)

command -v rsvg-convert >/dev/null || { echo "make-icons: rsvg-convert not found (install librsvg2-bin)" >&2; exit 1; }

for size in "${sizes[@]}"; do
    dir="$theme/${size}x${size}/apps"
    mkdir -p "$dir"
    rsvg-convert --width "$size" --height "$size" --format png --output "$dir/$name.png" "$svg"
    echo "make-icons: $dir/$name.png"
done
