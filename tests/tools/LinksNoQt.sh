#!/bin/sh
# kvltool must run where no Qt is installed: no Qt library among those it loads.
set -eu
libraries=$(ldd "$1") || { echo "FAILED: ldd cannot read $1"; exit 1; }
if printf '%s\n' "$libraries" | grep -i 'libQt'; then
    echo "FAILED: $1 loads the Qt libraries above"
    exit 1
fi
echo "ok: $1 loads no Qt library"
