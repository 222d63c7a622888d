#!/usr/bin/env bash
# Makes the packages of a build and checks them as a user would meet them: lintian,
# desktop-file-validate and appstreamcli on the .deb and its files, the .deb's file list
# against tests/packaging/deb-files.txt, the unpacked .tar.gz's kvltool, and (when the build
# has its tests) the installed kvltool run by a user who is not root. Of a Windows build, the
# .zip: its file list against tests/packaging/zip-files.txt, and its kvltool.exe under Wine
# and alone, with none but Windows' own DLLs.
# Usage: scripts/check-packages.sh [BUILD_DIR]
#   BUILD_DIR is a finished Release build (test.sh gives build/default and build/windows, so
#   the packages hold the programs its tests passed); without it the release preset is built.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-}

if [ -z "$build" ]; then
    cmake --preset release >/dev/null
    cmake --build --preset release
    build=build/release
fi
if [ ! -f "$build/CMakeCache.txt" ]; then
    echo "check-packages: $build holds no configured build" >&2
    exit 2
fi
build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:STRING=//p' "$build/CMakeCache.txt")
if [ "$build_type" != Release ]; then
    echo "check-packages: $build is a ${build_type:-plain} build; packages are made from Release" >&2
    exit 2
fi
version=$(sed -n 's/^project(KVLEdit VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=()
check() {
    local name=$1
    shift
    "$@" || { echo "package check failed: $name" >&2; failed+=("$name"); }
}
finish() {
    if [ ${#failed[@]} -ne 0 ]; then
        echo "FAILED package checks: ${failed[*]}" >&2
        exit 1
    fi
    echo "packages: $* pass their checks"
    exit 0
}

# A Windows build packs a .zip alone; its programs run under Wine, in the build's own prefix
# unless the caller chose one.
if grep -q 'CPACK_GENERATOR "ZIP"' "$build/CPackConfig.cmake"; then
    export WINEPREFIX=${WINEPREFIX:-$PWD/$build/wineprefix} WINEDEBUG=${WINEDEBUG:--all}
    rm -f "$build"/kvledit*.zip
    (cd "$build" && cpack >/dev/null)
    zip=$(echo "$build"/kvledit-*.zip)
    unzip -Z1 "$zip" | grep -v '/$' | sed 's|^[^/]*/||' | sort >"$scratch/zip-files.txt"
    check zip-files diff -u tests/packaging/zip-files.txt "$scratch/zip-files.txt"
    unzip -q "$zip" -d "$scratch"
    exe=$(echo "$scratch"/*/kvltool.exe)
    check zip-system-dlls tests/tools/LinksOnlySystemDlls.sh "$exe"
    check zip-version bash -c '[ "$(wine "$1" --version </dev/null | tr -d "\r")" = "kvltool $2" ]' \
        _ "$exe" "$version"
    finish "$(basename "$zip")"
fi

tools_tests="$build/tests/tools/kvl_tools_tests"
rm -f "$build"/kvledit*.deb "$build"/kvledit*.tar.gz
(cd "$build" && cpack >/dev/null)
deb=$(echo "$build"/kvledit_*.deb)
tarball=$(echo "$build"/kvledit-*.tar.gz)
chmod 755 "$scratch"  # the user of the per-user profile test must reach the installed tree

check lintian lintian --fail-on error,warning "$deb"
dpkg -x "$deb" "$scratch/root"
check desktop-file-validate desktop-file-validate "$scratch"/root/usr/share/applications/*.desktop
check appstreamcli appstreamcli validate --no-net "$scratch"/root/usr/share/metainfo/*.xml
(cd "$scratch/root" && find . ! -type d | sed 's|^\./|/|' | sort) >"$scratch/deb-files.txt"
check deb-files diff -u tests/packaging/deb-files.txt "$scratch/deb-files.txt"

mkdir "$scratch/portable"
tar -xzf "$tarball" -C "$scratch/portable"
check portable-version bash -c '[ "$("$1"/*/kvltool --version)" = "kvltool $2" ]' _ \
    "$scratch/portable" "$version"

if [ -x "$tools_tests" ]; then
    check installed-per-user-profile env KVL_INSTALLED_KVLTOOL="$scratch/root/usr/bin/kvltool" \
        "$tools_tests" --gtest_filter='*PerUserProfile*' --gtest_brief=1
fi

finish "$(basename "$deb") and $(basename "$tarball")"
