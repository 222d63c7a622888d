#!/usr/bin/env bash
# Builds the editor and starts it from build/default/app, where its Gridforge.INI lives.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
scripts/ensure-packages.sh "${BUILD_PACKAGES[@]}"

cmake --preset default >/dev/null
cmake --build --preset default --target kvledit

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "There is no display to show the editor on (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
    echo "Start it from a desktop session, or under Xvfb: xvfb-run ./run.sh" >&2
    exit 1
fi
# The default profile names ../maps/S2 beside the executable as the Castery folder; with
# that folder in place the first start writes the generator's default summary file there.
mkdir -p build/default/maps/S2
exec build/default/app/kvledit
