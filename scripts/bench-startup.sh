#!/usr/bin/env bash
# Measures the time from process start to the editor's main dialog on screen, as the median
# of repeated runs under Xvfb, beside the same for a bare Qt dialog program.
# Usage: scripts/bench-startup.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-21}
source scripts/packages.sh
scripts/ensure-packages.sh "${TEST_PACKAGES[@]}"
cmake --preset default >/dev/null
cmake --build --preset default --target kvledit kvl_bare_dialog >/dev/null
source scripts/xvfb-session.sh
start_xvfb

sandbox=$(mktemp -d)
trap 'kill "${xev_pid:-}" 2>/dev/null; stop_xvfb; rm -rf "$sandbox"' EXIT
make_sandbox build/default/app/kvledit "$sandbox"
# A summary file, so that no message box stands between start and dialog.
printf '[general]\ndescription=bench\n' >"$sandbox/maps/S2/summary.INI"

# Every window mapped on the screen, as xev reports it; read line by line below, so no
# polling loop loads the X server while a program starts.
mkfifo "$sandbox/events"
stdbuf -oL xev -root -event substructure >"$sandbox/events" &
xev_pid=$!
exec 3<"$sandbox/events"

# Milliseconds from launch until the program maps its first window.
time_to_window() {
    local program=$1 start end pid line=
    start=$(date +%s%N)
    "$program" >/dev/null 2>&1 &
    pid=$!
    while read -r -t 20 line <&3; do
        [[ $line == MapNotify* ]] && break
    done
    end=$(date +%s%N)
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    [[ $line == MapNotify* ]] || { echo "$program showed no window within 20 s" >&2; exit 1; }
    echo $(((end - start) / 1000000))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

measure() {
    for _ in $(seq "$runs"); do time_to_window "$1"; done | median
}

echo "median time to the first window over $runs runs:"
echo "  kvledit, main dialog \"KVL Editor\": $(measure "$sandbox/bin/kvledit") ms"
echo "  a bare Qt dialog program:       $(measure build/default/benchmarks/startup/kvl_bare_dialog) ms"
