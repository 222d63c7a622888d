#!/usr/bin/env bash
# Times `kvltool measure` of a generated map of 100,000 brushes (a 40 x 40 x 1 cell floor of
# 32-unit blocks, walls round it) beside the floor of `wc -l` reading the same file, and the
# measurement's peak memory beside the file's size. Goals: under 1 s, within 5x of wc -l,
# memory under 3x the file.
# Usage: benchmarks/tool/bench-measure.sh [KVLTOOL]
set -euo pipefail
tool=${1:-build/default/app/kvltool}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
map=$work/floor.map

python3 - "$map" <<'PY'
import sys
def box(x0, y0, z0, x1, y1, z1):
    P = lambda x, y, z: "( %d %d %d ) " % (x, y, z)
    faces = [P(x0, y1, z1) + P(x1, y1, z1) + P(x1, y0, z1), P(x0, y0, z0) + P(x1, y0, z0) + P(x1, y1, z0),
             P(x1, y0, z0) + P(x1, y0, z1) + P(x1, y1, z1), P(x0, y1, z0) + P(x0, y1, z1) + P(x0, y0, z1),
             P(x1, y1, z0) + P(x1, y1, z1) + P(x0, y1, z1), P(x0, y0, z0) + P(x0, y0, z1) + P(x1, y0, z1)]
    return "{\n" + "".join(f + "city4_2 0 0 0 1 1\n" for f in faces) + "}\n"
out = ['{\n"classname" "worldspawn"\n']
side = 320  # 320 x 320 blocks of 32 units = 102,400, plus four walls on its edges
for i in range(side * side):
    x, y = i % side * 32, i // side * 32
    out.append(box(x, y, 0, x + 32, y + 32, 16))
edge = side * 32
for x0, y0, x1, y1 in ((0, 0, edge, 16), (0, edge - 16, edge, edge), (0, 0, 16, edge), (edge - 16, 0, edge, edge)):
    out.append(box(x0, y0, 0, x1, y1, 256))
out.append("}\n")
open(sys.argv[1], "w").write("".join(out))
PY

source "$(dirname "$0")/timing.sh"

bytes=$(stat -c %s "$map")
floor=$(best_of 5 wc -l "$map")
measure=$(best_of 5 "$tool" measure "$map")
peak_kb=$(/usr/bin/time -f %M "$tool" measure "$map" 2>&1 >/dev/null | tail -1)
printf '%-28s %12s\n' "map bytes" "$bytes" "wc -l µs (floor)" "$floor" "kvltool measure µs" "$measure"
printf '%-28s %12s\n' "ratio to wc -l" "$(awk -v a="$measure" -v b="$floor" 'BEGIN { printf "%.1fx", a / b }')"
printf '%-28s %12s\n' "peak memory KiB" "$peak_kb" "ratio to the file" \
    "$(awk -v a="$peak_kb" -v b="$bytes" 'BEGIN { printf "%.2fx", a * 1024 / b }')"
