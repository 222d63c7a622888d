#!/usr/bin/env bash
# Renders res/icons/kvledit.svg to the PNG sizes the desktop looks for. The PNGs are kept in
# the repository, so a build needs no SVG renderer; run this again after changing the SVG.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/ensure-packages.sh "${ICON_PACKAGES[@]}"
for size in 16 32 48 64 128 256; do
    rsvg-convert --width "$size" --height "$size" res/icons/kvledit.svg \
        -o "res/icons/kvledit-$size.png"
done
