#!/usr/bin/env bash
# A person's whole run of the real editor in a real X server, by keyboard alone: the first
# start writes the default summary file, then a 2 x 1 x 1 prefab with exits North and East in
# sub cell X 1 is saved as room1.KVL. Checks the file byte for byte, that kvltool makes the
# same file from the same input, and the shared profile.
# Usage: PersonMakesDefinition.sh PATH_TO_KVLEDIT
set -euo pipefail
editor=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/xvfb-session.sh"

work=$(mktemp -d)
cleanup() { [ -n "${editor_pid:-}" ] && kill "$editor_pid" 2>/dev/null; stop_xvfb; rm -rf "$work"; }
start_xvfb
trap cleanup EXIT
make_sandbox "$editor" "$work"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$work/prefabs"

fail() { echo "FAILED: $*" >&2; exit 1; }
key() { xdotool key --clearmodifiers "$@"; sleep 0.2; }
type_text() { xdotool type --delay 20 "$1"; sleep 0.2; }
# Activates the window with the title and waits until it has the keyboard.
focus_window() {
    local id
    id=$(wait_window "$1") || fail "no window '$1'"
    xdotool windowactivate --sync "$id" 2>/dev/null || xdotool windowfocus --sync "$id"
    # A freshly started program may map its window before it takes the keyboard.
    for _ in $(seq 50); do
        [ "$(xdotool getwindowfocus 2>/dev/null)" = "$id" ] && break
        sleep 0.1
        xdotool windowfocus "$id" 2>/dev/null || true
    done
    sleep 0.3
}

(cd "$work" && exec "$work/bin/kvledit") &
editor_pid=$!

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

for _ in $(seq 100); do
    kill -0 "$editor_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$editor_pid" 2>/dev/null && fail "the editor did not end after saving"
wait "$editor_pid" || fail "the editor exited with $?"
editor_pid=

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
grep -q '^NEXT_ID=2$' "$work/bin/Gridforge.INI" || fail "Gridforge.INI does not hold NEXT_ID=2"
[ "$(grep -c . "$work/maps/S2/summary.INI")" -eq 23 ] || fail "summary.INI is not the 23-line default"
echo "ok: room1.KVL (the same from kvltool), Gridforge.INI and summary.INI are as expected"
