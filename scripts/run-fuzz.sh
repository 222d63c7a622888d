#!/usr/bin/env bash
# Builds the fuzz preset (clang, libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer)
# and runs each fuzzer for a bounded time: the .KVL reader from seed files that kvltool make
# writes during the build, the .map reader and measurement from the maps in
# tests/fuzz/map-seeds.
# Usage: scripts/run-fuzz.sh [SECONDS]   (each fuzzer's time, default 30)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/ensure-packages.sh "${TEST_PACKAGES[@]}"

seconds="${1:-30}"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target kvl_reader_fuzzer kvl_fuzz_seeds kvl_map_fuzzer

fuzz_dir=build/fuzz/tests/fuzz
# New inputs go into the first folder, so the seeds stay as they were written.
mkdir -p "$fuzz_dir/corpus" "$fuzz_dir/map-corpus"
status=0
echo "== fuzzing the .KVL reader for ${seconds}s"
"$fuzz_dir/kvl_reader_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$fuzz_dir/" "$fuzz_dir/corpus" "$fuzz_dir/seeds" ||
    status=1
# Short inputs keep each run quick under the sanitizers; the measurement's own bound is what
# stops a slow one, and a run past the timeout is a fault.
echo "== fuzzing the .map reader and measurement for ${seconds}s"
"$fuzz_dir/kvl_map_fuzzer" -max_total_time="$seconds" -max_len=4096 -timeout=30 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$fuzz_dir/map-" \
    "$fuzz_dir/map-corpus" tests/fuzz/map-seeds || status=1
exit $status
