#!/usr/bin/env bash
# Times reading every setting of a 100 MB profile (kvltool paths reads them as the editor's
# start does) beside the floor of cat reading the file, and six makers started together
# taking identifiers from a 40 MB profile, each within the lock's 10 s time-out.
# Usage: benchmarks/tool/bench-profile.sh [KVLTOOL]
set -euo pipefail
tool=${1:-build/default/app/kvltool}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A profile of the given size in MB: the generator's sections, then comment lines, then [ID].
make_profile() {
    python3 - "$1" "$2" <<'PY'
import sys
path, megabytes = sys.argv[1], int(sys.argv[2])
line = "; " + "x" * 97 + "\r\n"
with open(path, "w", newline="") as f:
    f.write("[globals]\r\nsource_directory=..\\maps\\S2\\\r\ngame_type=2\r\n")
    f.write("[template_settings]\r\nx=4\r\ny=4\r\nz=2\r\n")
    f.write(line * (megabytes * 1000000 // len(line)))
    f.write("[ID]\r\nNEXT_ID=1\r\n")
PY
}

source "$(dirname "$0")/timing.sh"

make_profile "$work/100.INI" 100
make_profile "$work/40.INI" 40
mkdir "$work/out"
load=$(micros "$tool" paths --profile "$work/100.INI")
floor=$(micros cat "$work/100.INI")

start=$(date +%s%N)
for i in 1 2 3 4 5 6; do
    "$tool" make a.map --dims=1x1x1 --exit=0,0,0:N --profile "$work/40.INI" \
        -o "$work/out/$i.KVL" >/dev/null 2>&1 &
done
wait
makers=$((($(date +%s%N) - start) / 1000))
next=$(grep -a NEXT_ID "$work/40.INI")

printf '%-44s %12s\n' "settings of a 100 MB profile µs (limit 1 s)" "$load" \
    "cat floor µs" "$floor" \
    "six makers, 40 MB profile µs (lock 10 s)" "$makers" \
    "counter afterwards (expected NEXT_ID=7)" "$next" \
    "definitions written (expected 6)" "$(ls "$work/out" | wc -l)"
