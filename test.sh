#!/usr/bin/env bash
# Builds and runs every test: a normal build, one under AddressSanitizer and
# UndefinedBehaviorSanitizer, then a bounded run of the .KVL reader fuzzer.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
scripts/ensure-packages.sh "${TEST_PACKAGES[@]}"
scripts/check-format.sh

log=$(mktemp)
trap 'rm -f "$log"' EXIT
for preset in default asan; do
    echo "== $preset build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset" | tee -a "$log"
done

scripts/run-fuzz.sh 60

# One closing line for both builds; ctest has stopped the script already if any test failed.
total=$(sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\)$/\1/p' "$log" | awk '{ s += $1 } END { print s }')
echo "tests: $total passed, 0 failed"
