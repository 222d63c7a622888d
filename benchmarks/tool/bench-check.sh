#!/usr/bin/env bash
# Times `kvltool check` of collections of 1,000 and 10,000 definitions, each with its map
# file, beside the floor of reading every file of the folder once with cat.
# Usage: benchmarks/tool/bench-check.sh [KVLTOOL]
set -euo pipefail
tool=${1:-build/default/app/kvltool}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A folder of n definitions of 2 x 2 x 1 sub cells with distinct identifiers, each map one
# block of that size, which check measures; every tenth names its map in another case, which
# the lookup has to find without regard to case.
make_collection() {
    python3 - "$1" "$2" <<'PY'
import os, struct, sys
folder, count = sys.argv[1], int(sys.argv[2])
os.makedirs(folder)
with open(os.path.join(folder, "summary.INI"), "w") as f:
    f.write("[general]\ngame_type=2\nquantum_unit_x=256\nquantum_unit_y=256\nquantum_unit_z=256\n")
signature = b"KESTRAVEN SOFTWARE     .KVL (1.0)\0"
block = """{
"classname" "worldspawn"
{
( 0 512 256 ) ( 512 512 256 ) ( 512 0 256 ) WALL 0 0 0 1 1
( 0 0 0 ) ( 512 0 0 ) ( 512 512 0 ) WALL 0 0 0 1 1
( 512 0 0 ) ( 512 0 256 ) ( 512 512 256 ) WALL 0 0 0 1 1
( 0 512 0 ) ( 0 512 256 ) ( 0 0 256 ) WALL 0 0 0 1 1
( 512 512 0 ) ( 512 512 256 ) ( 0 512 256 ) WALL 0 0 0 1 1
( 0 0 0 ) ( 0 0 256 ) ( 512 0 256 ) WALL 0 0 0 1 1
}
}
"""
for i in range(count):
    name = "prefab%05d.map" % i
    on_disk = name.upper() if i % 10 == 0 else name
    open(os.path.join(folder, on_disk), "w").write(block)
    data = struct.pack("<I", len(signature)) + signature + struct.pack("<I", i + 1)
    data += struct.pack("<I", len(name) + 1) + name.encode() + b"\0"
    data += struct.pack("<iiiI", 2, 2, 1, 4)
    for x in range(2):
        for y in range(2):
            data += struct.pack("<HiiiII", 0, x, y, 0, 0, 0)
    open(os.path.join(folder, "prefab%05d.KVL" % i), "wb").write(data)
PY
}

source "$(dirname "$0")/timing.sh"

# The time per definition leaves out the program's start, measured on a folder without
# definitions.

make_collection "$work/c0" 0
start=$(best_of 3 "$tool" check "$work/c0")
printf '%-12s %14s %14s %14s\n' definitions "check µs" "per def. µs" "cat floor µs"
printf '%-12s %14s %14s %14s\n' 0 "$start" - -
for n in 1000 10000; do
    make_collection "$work/c$n" "$n"
    check=$(best_of 3 "$tool" check "$work/c$n")
    floor=$(best_of 3 sh -c "cat '$work/c$n'/* >/dev/null")
    printf '%-12s %14s %14s %14s\n' "$n" "$check" $(((check - start) / n)) "$floor"
done
