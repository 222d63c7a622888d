#!/usr/bin/env bash
# Builds and runs every test: a normal (Release) build, checked by clang-tidy, one under
# AddressSanitizer and UndefinedBehaviorSanitizer, bounded runs of the .KVL and .map reader
# fuzzers, then the packages of the normal build and their checks. A failing step does not
# stop the others; the last line names what failed.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
scripts/ensure-packages.sh "${TEST_PACKAGES[@]}"
scripts/check-format.sh

log=$(mktemp)
# The Windows programs run in a Wine prefix of their own inside the build folder.
export WINEPREFIX="$PWD/build/windows/wineprefix" WINEDEBUG=-all
trap 'rm -f "$log"; wineserver -k 2>/dev/null || true' EXIT
failed=()
run_tests() {
    local preset=$1
    if ! ctest --preset "$preset" | tee -a "$log"; then
        # ctest keeps the failed tests of its last run as "number:name" lines.
        local list="build/$preset/Testing/Temporary/LastTestsFailed.log"
        [ -f "$list" ] || { failed+=("$preset:ctest"); return; }
        while IFS=: read -r _ name; do
            failed+=("$preset:$name")
        done <"$list"
    fi
}
for preset in default asan; do
    echo "== $preset build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    if [ "$preset" = default ]; then
        echo "== clang-tidy"
        scripts/run-tidy.sh build/default || failed+=("clang-tidy")
    fi
    run_tests "$preset"
done

echo "== windows build, tested under Wine"
if cmake --preset windows >/dev/null && cmake --build --preset windows; then
    echo "== clang-tidy, Windows halves"
    scripts/run-tidy.sh build/windows || failed+=("windows:clang-tidy")
    # One Wine server for the whole run, and the prefix made before the first test, whose
    # output would otherwise be held open by Wine's background services.
    mkdir -p "$WINEPREFIX"
    wineserver -p </dev/null >/dev/null 2>&1
    wineboot -i </dev/null >/dev/null 2>&1 || true
    run_tests windows
    scripts/check-packages.sh build/windows || failed+=("windows:packages")
    wineserver -k 2>/dev/null || true
else
    failed+=("windows:build")
fi

scripts/run-fuzz.sh 30 || failed+=("fuzz")

echo "== packages"
# The packages hold the programs the default build's tests have just passed.
scripts/check-packages.sh build/default || failed+=("packages")

if [ ${#failed[@]} -ne 0 ]; then
    echo "FAILED: ${failed[*]}"
    exit 1
fi
total=$(sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\)$/\1/p' "$log" | awk '{ s += $1 } END { print s }')
echo "tests: $total passed, 0 failed"
