#!/usr/bin/env bash
# Renders packaging/icons/skedwise.svg into the PNG sizes desktops look for (committed, so
# that a build needs no SVG renderer). Needs rsvg-convert (Debian: librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../packaging/icons"
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" skedwise.svg -o "skedwise-$size.png"
done
