#!/usr/bin/env bash
# Builds the fuzz preset (clang, libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer)
# and runs the .KVL reader fuzzer for a bounded time, starting from seed files that
# kvltool make writes during the build.
# Usage: scripts/run-fuzz.sh [SECONDS]   (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/ensure-packages.sh "${TEST_PACKAGES[@]}"

seconds="${1:-60}"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target kvl_reader_fuzzer kvl_fuzz_seeds

fuzz_dir=build/fuzz/tests/fuzz
# New inputs go into the first folder, so the seeds stay as the writer made them.
mkdir -p "$fuzz_dir/corpus"
echo "== fuzzing the .KVL reader for ${seconds}s"
"$fuzz_dir/kvl_reader_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$fuzz_dir/" "$fuzz_dir/corpus" "$fuzz_dir/seeds"
