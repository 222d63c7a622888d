#!/usr/bin/env bash
# Takes screenshots of the editor's dialogs in a real X server with a window manager and
# writes them into docs/, for the README.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/ensure-packages.sh "${SCREENSHOT_PACKAGES[@]}"
cmake --preset default >/dev/null
cmake --build --preset default --target kvledit >/dev/null
source scripts/xvfb-session.sh
start_xvfb
openbox >/dev/null 2>&1 &
wm_pid=$!

work=$(mktemp -d)
trap 'kill "$wm_pid" 2>/dev/null; stop_xvfb; rm -rf "$work"' EXIT
make_sandbox build/default/app/kvledit "$work"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
printf '[ID]\r\nNEXT_ID=17\r\n' >"$work/bin/Gridforge.INI"
mkdir -p "$work/prefabs"

key() { xdotool key --clearmodifiers "$@"; sleep 0.3; }
# Brings the window to the front, waits for it to settle and saves it with its frame.
shoot() {
    local id
    id=$(wait_window "$1")
    xdotool windowactivate --sync "$id" >/dev/null 2>&1 || true
    sleep 0.5
    import -frame -window "$id" "docs/$2"
    echo "docs/$2"
}

(cd "$work/prefabs" && exec "$work/bin/kvledit") &
editor_pid=$!

shoot KVLEdit first-start-summary.png
key Return
wait_window "KVL Editor" >/dev/null
xdotool type --delay 10 hall.map
key Tab Tab
xdotool type 3
key Tab
xdotool type 2
key Tab
xdotool type 1
shoot "KVL Editor" main-dialog.png

# The About route: the window's menu, its one item selected, over the dialog.
key shift+F10
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$(wait_window "KVL Editor")")"
import -window root -crop "$((WIDTH + 120))x$((HEIGHT + 60))+$((X - 10))+$((Y - 40))" +repage \
    docs/about-menu.png
echo docs/about-menu.png
key Return
shoot "About KVLEdit" about-box.png
key Return

key Return
wait_window "Exit Definition" >/dev/null
key Down Down
key Tab Tab Tab space Tab Tab space
shoot "Exit Definition" exit-definition.png
key alt+a
key Return

shoot "Save As" save-dialog.png
key Return
shoot KVLEdit file-written.png
key Return
wait "$editor_pid"
