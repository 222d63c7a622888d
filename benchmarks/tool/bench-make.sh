#!/usr/bin/env bash
# Times `kvltool make` of the largest definition (2^20 sub cell records, 23 MB, written beside
# the target, synced and renamed) beside the floor of a plain C program that writes the same
# bytes with one fwrite, having read them from the page cache. Goal: within 1.5x.
# Usage: benchmarks/tool/bench-make.sh [KVLTOOL]
set -euo pipefail
tool=${1:-build/default/app/kvltool}
# On the disk, not on a tmpfs /tmp, where syncing would cost nothing.
work=$(mktemp -d -p "${BENCH_DIR:-$PWD}")
trap 'rm -rf "$work"' EXIT

cat >"$work/floor.c" <<'C'
#include <stdio.h>
#include <stdlib.h>
int main(int argc, char** argv) {
    FILE* in = fopen(argv[1], "rb");
    static char bytes[1 << 25];
    size_t size = in ? fread(bytes, 1, sizeof bytes, in) : 0;
    FILE* out = fopen(argv[2], "wb");
    return !out || fwrite(bytes, 1, size, out) != size || fclose(out) != 0;
}
C
cc -O2 -o "$work/floor" "$work/floor.c"

source "$(dirname "$0")/timing.sh"

make_big() {
    "$tool" make big.map --dims=1024x1024x1 --exit=0,0,0:N --id=1 --force -o "$work/big.KVL"
}
make_big >/dev/null
"$work/floor" "$work/big.KVL" "$work/copy.KVL"
cmp -s "$work/big.KVL" "$work/copy.KVL"
make_us=$(best_of 9 make_big)
floor_us=$(best_of 9 "$work/floor" "$work/big.KVL" "$work/copy.KVL")
printf '%-30s %10s\n' "bytes" "$(stat -c %s "$work/big.KVL")" \
    "make µs (best of 9)" "$make_us" \
    "fwrite floor µs (best of 9)" "$floor_us" \
    "ratio (limit 1.5)" "$(awk -v m="$make_us" -v f="$floor_us" 'BEGIN { printf "%.2f", m / f }')"
