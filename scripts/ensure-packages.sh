#!/usr/bin/env bash
# Installs the Debian packages named on the command line that are not installed yet.
# Usage: scripts/ensure-packages.sh PACKAGE...
set -euo pipefail

missing=()
for package in "$@"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
    [ "$status" = "installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
else
    echo "Missing Debian packages: ${missing[*]}" >&2
    echo "Install them as root: apt-get update && apt-get install ${missing[*]}" >&2
    exit 1
fi

echo "Installing missing Debian packages: ${missing[*]}"
if ! "${as_root[@]}" apt-get update -q ||
   ! DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q \
        --no-install-recommends "${missing[@]}"; then
    echo "Could not install: ${missing[*]}" >&2
    exit 1
fi
