#!/usr/bin/env bash
# A person's whole run of the real editor in a real X server, by keyboard alone: the first
# start writes the default summary file, then a 2 x 1 x 1 prefab with exits North and East in
# sub cell X 1 is saved as room1.KVL. Checks the file byte for byte, that kvltool makes the
# same file from the same input, and the shared profile.
#
# Every wait is bounded and the whole run ends within KVL_E2E_SECONDS (90), well before
# ctest's time-out; the X server and the editor end with the script however it ends. A
# failure leaves a screenshot, the window list and the editor's standard error in
# KVL_E2E_EVIDENCE (default: e2e-evidence in the current folder).
# Usage: PersonMakesDefinition.sh PATH_TO_KVLEDIT
set -euo pipefail
editor=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/xvfb-session.sh"
evidence=${KVL_E2E_EVIDENCE:-$PWD/e2e-evidence}
rm -rf "$evidence"

work=$(mktemp -d)
editor_pid=
watchdog_pid=
cleanup() {
    local status=$?
    trap - EXIT INT TERM
    [ -n "$watchdog_pid" ] && kill "$watchdog_pid" 2>/dev/null
    if [ "$status" -ne 0 ] && [ -n "${DISPLAY:-}" ]; then
        local files
        files=$(save_x_evidence "$evidence" | tr '\n' ' ')
        cp "$work/editor.stderr" "$evidence/" 2>/dev/null && files+="$evidence/editor.stderr"
        echo "FAILED: what the screen showed: $files" >&2
    fi
    [ -n "$editor_pid" ] && kill -KILL "$editor_pid" 2>/dev/null
    stop_xvfb
    rm -rf "$work"
    exit "$status"
}
trap cleanup EXIT
trap 'echo "FAILED: interrupted" >&2; exit 130' INT
trap 'echo "FAILED: stopped (the run took longer than ${KVL_E2E_SECONDS:-90}s, or was terminated)" >&2; exit 124' TERM
start_bound_to_shell TERM bash -c 'trap "kill \$nap; exit" TERM; sleep "$1" & nap=$!; wait $nap; kill -TERM "$2"' \
    - "${KVL_E2E_SECONDS:-90}" "$$"
watchdog_pid=$BG_PID
start_xvfb
make_sandbox "$editor" "$work"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$work/prefabs"

fail() { echo "FAILED: $*" >&2; exit 1; }
key() { timeout 10 xdotool key --clearmodifiers "$@" || fail "xdotool key $* did not finish"; sleep 0.2; }
type_text() { timeout 20 xdotool type --delay 20 "$1" || fail "xdotool type '$1' did not finish"; sleep 0.2; }
# Activates the window with the title and waits until it has the keyboard.
focus_window() {
    local id
    id=$(wait_window "$1") || fail "no window titled '$1' appeared within 20s"
    timeout 5 xdotool windowactivate --sync "$id" 2>/dev/null ||
        timeout 5 xdotool windowfocus --sync "$id" 2>/dev/null || true
    # A freshly started program may map its window before it takes the keyboard.
    for _ in $(seq 50); do
        [ "$(timeout 5 xdotool getwindowfocus 2>/dev/null)" = "$id" ] && { sleep 0.3; return 0; }
        sleep 0.1
        timeout 5 xdotool windowfocus "$id" 2>/dev/null || true
    done
    fail "the window '$1' did not get the keyboard focus within 5s"
}

start_bound_to_shell KILL bash -c 'cd "$1" && exec "$1/bin/kvledit" 2>"$1/editor.stderr"' - "$work"
editor_pid=$BG_PID
[ -z "${KVL_E2E_STATE:-}" ] || echo "$XVFB_DISPLAY $XVFB_PID $editor_pid" >"$KVL_E2E_STATE"

# First start: the default summary file is written and its path shown.
focus_window KVLEdit
key Return

focus_window "KVL Editor"
type_text room1.map
key Tab Tab
type_text 2
key Tab
type_text 1
key Tab
type_text 1
key Return

focus_window "Exit Definition"
key Down                     # X 1
key Tab Tab Tab space        # North
key Tab Tab space            # East
key alt+a                    # Add
key Return                   # OK

focus_window "Save As"
key ctrl+a
type_text "$work/prefabs/room1.KVL"
key Return

focus_window KVLEdit
key Return

wait_until_gone "$editor_pid" 10 || fail "the editor did not end within 10s after saving"
status=0
wait "$editor_pid" || status=$?
editor_pid=
[ "$status" -eq 0 ] || fail "the editor exited with $status"

expected="$work/expected.KVL"
{
    printf '\x22\0\0\0KESTRAVEN SOFTWARE     .KVL (1.0)\0'
    printf '\x01\0\0\0' # identifier
    printf '\x0a\0\0\0room1.map\0'
    printf '\x02\0\0\0\x01\0\0\0\x01\0\0\0' # 2 x 1 x 1
    printf '\x02\0\0\0' # two records
    printf '\x05\0\x01\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0'
    printf '\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0'
} >"$expected"
cmp "$expected" "$work/prefabs/room1.KVL" || fail "room1.KVL differs from the expected bytes"
# kvltool, built beside the editor, makes the same file from the same input.
"$(dirname "$editor")/kvltool" make room1.map --dims 2x1x1 --exit 1,0,0:NE --id 1 \
    -o "$work/kvltool.KVL" >/dev/null || fail "kvltool make failed"
cmp "$work/kvltool.KVL" "$work/prefabs/room1.KVL" || fail "kvltool's file differs from the editor's"
grep -q $'^NEXT_ID=2\r$' "$work/bin/Gridforge.INI" || fail "Gridforge.INI does not hold NEXT_ID=2 (CRLF, as a new profile has)"
[ "$(grep -c . "$work/maps/S2/summary.INI")" -eq 23 ] || fail "summary.INI is not the 23-line default"
echo "ok: room1.KVL (the same from kvltool), Gridforge.INI and summary.INI are as expected"
