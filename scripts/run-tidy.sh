#!/usr/bin/env bash
# Runs clang-tidy (.clang-tidy) over the tracked sources of the core and kvltool that a build
# compiles, two at a time; fails on any finding. The editor, its dialogs and the tests are left
# out: parsing Qt and GoogleTest would take several minutes more on two cores. Given the
# Windows (MinGW-w64) build, it checks only what differs there: the win32 halves and the files
# with Windows branches, parsed against MinGW's headers.
# Usage: scripts/run-tidy.sh [build folder with compile_commands.json, default build/default]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
database="$build/compile_commands.json"
if ! command -v clang-tidy >/dev/null; then
    echo "run-tidy: clang-tidy is not installed; scripts/ensure-packages.sh clang-tidy installs it" >&2
    exit 2
fi
if [ ! -f "$database" ]; then
    echo "run-tidy: no $database; configure that build first" >&2
    exit 2
fi
patterns=('config/*.cpp' 'definition/*.cpp' 'fileio/*.cpp' 'map/*.cpp' 'platform/*.cpp'
    'tools/*.cpp' ':!platform/qt/')
extra=()
if grep -q 'w64-mingw32' "$database"; then
    # clang does not know where Debian keeps MinGW's C++ headers: ask its g++.
    extra=(--extra-arg=--target=x86_64-w64-mingw32 --extra-arg=-nostdinc++)
    while IFS= read -r folder; do
        extra+=("--extra-arg=-isystem$folder")
    done < <(x86_64-w64-mingw32-g++-posix -E -x c++ -v /dev/null 2>&1 |
        sed -n '/search starts here/,/End of search/p' | grep '/include/c++' | sed 's/^ //')
    sources() { git grep -l -e '_WIN32' -- "${patterns[@]}"; git ls-files 'platform/win32/*.cpp'; }
else
    sources() { git ls-files "${patterns[@]}"; }
fi
# Only files the build compiles: the other platform's halves would not parse here.
files=()
while IFS= read -r file; do
    if grep -qF "\"file\": \"$PWD/$file\"" "$database"; then
        files+=("$file")
    fi
done < <(sources | sort -u)
echo "clang-tidy: ${#files[@]} files"
# The counts of warnings clang-tidy suppressed are noise; the findings go to standard output.
printf '%s\0' "${files[@]}" |
    xargs -0 -n4 -P2 clang-tidy -p "$build" --quiet "${extra[@]}" 2> >(grep -vE '^[0-9]+ warnings?( and [0-9]+ errors?)? generated\.$' >&2)
