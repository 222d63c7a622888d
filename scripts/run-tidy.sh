#!/usr/bin/env bash
# Runs clang-tidy (.clang-tidy) over the tracked sources of the core and kvltool that a build
# compiles, two at a time; fails on any finding. The editor, its dialogs and the tests are left
# out: parsing Qt and GoogleTest would take several minutes more on two cores.
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
# Only files the build compiles: the other platform's halves would not parse here.
files=()
while IFS= read -r file; do
    if grep -qF "\"file\": \"$PWD/$file\"" "$database"; then
        files+=("$file")
    fi
done < <(git ls-files 'config/*.cpp' 'definition/*.cpp' 'fileio/*.cpp' 'map/*.cpp' \
    'platform/*.cpp' 'tools/*.cpp' ':!platform/qt/')
echo "clang-tidy: ${#files[@]} files"
# The counts of warnings clang-tidy suppressed are noise; the findings go to standard output.
printf '%s\0' "${files[@]}" |
    xargs -0 -n4 -P2 clang-tidy -p "$build" --quiet 2> >(grep -vE '^[0-9]+ warnings?( and [0-9]+ errors?)? generated\.$' >&2)
