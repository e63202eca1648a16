#!/usr/bin/env bash
# Renders the program's icon from resources/icons/vgr47.svg into the PNG sizes the package
# installs. Run after changing the drawing (needs rsvg-convert: apt-get install librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../resources/icons"
for size in 48 256; do
  rsvg-convert --width "$size" --height "$size" vgr47.svg --output "vgr47-$size.png"
done
