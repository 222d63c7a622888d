#!/usr/bin/env bash
# Builds and runs every test: a normal build, one under AddressSanitizer and
# UndefinedBehaviorSanitizer, then a bounded run of the .KVL reader fuzzer.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
scripts/ensure-packages.sh "${TEST_PACKAGES[@]}"
scripts/check-format.sh

for preset in default asan; do
    echo "== $preset build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done

scripts/run-fuzz.sh 60
