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
trap 'stop_xvfb; rm -rf "$sandbox"' EXIT
make_sandbox build/default/app/kvledit "$sandbox"
# A summary file and a profile, so that no message box stands between start and dialog.
printf '[general]\ndescription=bench\n' >"$sandbox/maps/S2/summary.INI"

# Milliseconds from launch until a visible window with the title exists.
time_to_window() {
    local title=$1 program=$2 start end pid
    start=$(date +%s%N)
    "$program" >/dev/null 2>&1 &
    pid=$!
    until xdotool search --onlyvisible --name "^${title}\$" >/dev/null 2>&1; do
        sleep 0.002
    done
    end=$(date +%s%N)
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo $(((end - start) / 1000000))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

measure() {
    local title=$1 program=$2
    for _ in $(seq "$runs"); do time_to_window "$title" "$program"; done | median
}

echo "median time to the first window over $runs runs:"
echo "  KVL Editor (kvledit):      $(measure 'KVL Editor' "$sandbox/bin/kvledit") ms"
echo "  Bare Dialog (plain Qt):    $(measure 'Bare Dialog' build/default/benchmarks/startup/kvl_bare_dialog) ms"
