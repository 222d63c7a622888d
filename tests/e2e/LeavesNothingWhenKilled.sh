#!/usr/bin/env bash
# Kills the end-to-end run with SIGKILL, as ctest's time-out does, once the editor is up, and
# checks that neither its X server nor its editor nor the server's lock file outlives it.
# Usage: LeavesNothingWhenKilled.sh PATH_TO_KVLEDIT
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# The killed run cannot remove its own temporary folder: it makes it in ours.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
state=$scratch/state
: >"$state"

TMPDIR=$scratch KVL_E2E_STATE=$state KVL_E2E_EVIDENCE=$PWD/killed-evidence \
    bash "$here/PersonMakesDefinition.sh" "$1" >/dev/null 2>&1 &
run=$!
for _ in $(seq 200); do
    [ -s "$state" ] && break
    sleep 0.1
done
[ -s "$state" ] || { kill -KILL "$run"; echo "FAILED: the editor did not start within 20s" >&2; exit 1; }
read -r display xvfb editor <"$state"
sleep 1
kill -KILL "$run"
wait "$run" 2>/dev/null || true

left=()
for _ in $(seq 100); do
    left=()
    kill -0 "$xvfb" 2>/dev/null && left+=("Xvfb (pid $xvfb)")
    kill -0 "$editor" 2>/dev/null && left+=("the editor (pid $editor)")
    [ -e "/tmp/.X${display}-lock" ] && left+=("/tmp/.X${display}-lock")
    [ ${#left[@]} -eq 0 ] && break
    sleep 0.05
done
if [ ${#left[@]} -ne 0 ]; then
    kill -KILL "$xvfb" "$editor" 2>/dev/null || true
    echo "FAILED: left behind after SIGKILL: ${left[*]}" >&2
    exit 1
fi
echo "ok: nothing left behind after SIGKILL"
