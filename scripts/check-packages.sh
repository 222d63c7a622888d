#!/usr/bin/env bash
# Builds the release preset and its packages, and checks them as a user would meet them:
# lintian, desktop-file-validate and appstreamcli on the .deb and its files, the .deb's file
# list against tests/packaging/deb-files.txt, the unpacked .tar.gz's kvltool, and (given the
# normal build's kvl_tools_tests) the installed kvltool run by a user who is not root.
# Usage: scripts/check-packages.sh [KVL_TOOLS_TESTS]
set -euo pipefail
cd "$(dirname "$0")/.."
tools_tests=${1:-}

cmake --preset release >/dev/null
cmake --build --preset release
build=build/release
rm -f "$build"/kvledit*.deb "$build"/kvledit*.tar.gz
(cd "$build" && cpack >/dev/null)
deb=$(echo "$build"/kvledit_*.deb)
tarball=$(echo "$build"/kvledit-*.tar.gz)

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
chmod 755 "$scratch"  # the user of the per-user profile test must reach the installed tree
failed=()
check() {
    local name=$1
    shift
    "$@" || { echo "package check failed: $name" >&2; failed+=("$name"); }
}

check lintian lintian --fail-on error,warning "$deb"
dpkg -x "$deb" "$scratch/root"
check desktop-file-validate desktop-file-validate "$scratch"/root/usr/share/applications/*.desktop
check appstreamcli appstreamcli validate --no-net "$scratch"/root/usr/share/metainfo/*.xml
(cd "$scratch/root" && find . ! -type d | sed 's|^\./|/|' | sort) >"$scratch/deb-files.txt"
check deb-files diff -u tests/packaging/deb-files.txt "$scratch/deb-files.txt"

mkdir "$scratch/portable"
tar -xzf "$tarball" -C "$scratch/portable"
check portable-version bash -c '[ "$("$1"/*/kvltool --version)" = "kvltool $2" ]' _ \
    "$scratch/portable" "$(sed -n 's/^project(KVLEdit VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"

if [ -n "$tools_tests" ]; then
    check installed-per-user-profile env KVL_INSTALLED_KVLTOOL="$scratch/root/usr/bin/kvltool" \
        "$tools_tests" --gtest_filter='*PerUserProfile*' --gtest_brief=1
fi

if [ ${#failed[@]} -ne 0 ]; then
    echo "FAILED package checks: ${failed[*]}" >&2
    exit 1
fi
echo "packages: $(basename "$deb") and $(basename "$tarball") pass their checks"
