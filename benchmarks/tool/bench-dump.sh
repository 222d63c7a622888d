#!/usr/bin/env bash
# Times `kvltool dump --json` of a definition of 2^20 sub cell records (the most make writes)
# beside the floor of cat copying the same JSON text, and reports its peak memory.
# Usage: benchmarks/tool/bench-dump.sh [KVLTOOL]
set -euo pipefail
tool=${1:-build/default/app/kvltool}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$tool" make big.map --dims=1024x1024x1 --exit=0,0,0:N --id=1 -o "$work/big.KVL" >/dev/null

source "$(dirname "$0")/timing.sh"

dump() { "$tool" dump --json "$work/big.KVL" >"$work/dump.json"; }
copy() { cat "$work/dump.json" >"$work/copy.json"; }

dump
bytes=$(stat -c %s "$work/dump.json")
dump_us=$(best_of 5 dump)
cat_us=$(best_of 5 copy)
peak_kb=$(python3 - "$tool" "$work/big.KVL" <<'PY'
import resource, subprocess, sys
subprocess.run([sys.argv[1], "dump", "--json", sys.argv[2]], stdout=subprocess.DEVNULL, check=True)
print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)
PY
)
printf '%-28s %12s\n' "JSON bytes" "$bytes" \
    "dump --json µs (best of 5)" "$dump_us" \
    "cat floor µs (best of 5)" "$cat_us" \
    "ratio (limit 3)" "$(awk -v d="$dump_us" -v c="$cat_us" 'BEGIN { printf "%.2f", d / c }')" \
    "peak memory KB (limit 102400)" "$peak_kb"
