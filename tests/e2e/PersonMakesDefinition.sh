#!/usr/bin/env bash
# A person's runs of the real editor in a real X server, by keyboard alone: the first start
# writes the default summary file, then a 2 x 1 x 1 prefab with exits North and East in sub
# cell X 1 is saved as room1.KVL, reaching the About box by F1 and the menu on the way and
# cancelling the save once; then a 1048576 x 1 x 1 prefab is saved from the far end of its X
# list, and a third run's cancelled save, answered Yes, leaves no file. Checks the file byte for byte, that kvltool makes the
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

start_editor() {
    start_bound_to_shell KILL bash -c 'cd "$1" && exec "$1/bin/kvledit" 2>>"$1/editor.stderr"' - "$work"
    editor_pid=$BG_PID
    [ -z "${KVL_E2E_STATE:-}" ] || echo "$XVFB_DISPLAY $XVFB_PID $editor_pid" >"$KVL_E2E_STATE"
}
# Waits for the editor to end of itself, successfully.
editor_ends() {
    wait_until_gone "$editor_pid" 10 || fail "the editor did not end within 10s $1"
    local status=0
    wait "$editor_pid" || status=$?
    editor_pid=
    [ "$status" -eq 0 ] || fail "the editor exited with $status $1"
}
about_box_closes() {
    focus_window "About KVLEdit"
    key Return
}

start_editor

# First start: the default summary file is written and its path shown.
focus_window KVLEdit
key Return

focus_window "KVL Editor"
key F1
about_box_closes
focus_window "KVL Editor"
key Tab Menu Return          # the menu of the "..." button opens with About selected
about_box_closes
focus_window "KVL Editor"
key shift+Tab
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
key a                        # Add: a plain mnemonic, the focus being on a check box
key F1
about_box_closes
focus_window "Exit Definition"
key Return                   # OK

focus_window "Save As"
key Escape                   # cancelled: the editor asks, and No offers the dialog again
focus_window KVLEdit
key alt+n
focus_window "Save As"
key ctrl+a
type_text "$work/prefabs/room1.KVL"
key Return

focus_window KVLEdit
key Return
editor_ends "after saving room1.KVL"

# The largest prefab: its X list opens at once and takes keys at once.
start_editor
focus_window "KVL Editor"
type_text big.map
key Tab Tab
type_text 1048576
key Tab
type_text 1
key Tab
type_text 1
key Return
focus_window "Exit Definition"
key alt+Down End Return      # X 1048575
key a Return                 # Add, OK
focus_window "Save As"
key ctrl+a
type_text "$work/prefabs/big.KVL"
key Return
focus_window KVLEdit
key Return
editor_ends "after saving big.KVL"
# The first record: no exits, X 1048575.
[ "$(od -An -tx1 -j70 -N6 "$work/prefabs/big.KVL" | tr -d ' ')" = 0000ffff0f00 ] ||
    fail "big.KVL does not begin with the record of sub cell 1048575,0,0: $(od -An -tx1 -j66 -N12 "$work/prefabs/big.KVL")"

# A cancelled save answered Yes ends the run without a file.
start_editor
focus_window "KVL Editor"
key Return
focus_window "Exit Definition"
key alt+a                    # Add
key Return                   # OK
focus_window "Save As"
key Escape
focus_window KVLEdit
key Return
editor_ends "after the cancelled save was answered Yes"
[ "$(ls "$work/prefabs")" = "$(printf 'big.KVL\nroom1.KVL')" ] || fail "the cancelled save left a file"

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
grep -q $'^NEXT_ID=4\r$' "$work/bin/Gridforge.INI" || fail "Gridforge.INI does not hold NEXT_ID=4 (CRLF, as a new profile has)"
[ "$(grep -c . "$work/maps/S2/summary.INI")" -eq 23 ] || fail "summary.INI is not the 23-line default"
echo "ok: room1.KVL (the same from kvltool), big.KVL, Gridforge.INI and summary.INI are as expected"
