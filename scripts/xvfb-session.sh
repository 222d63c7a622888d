# Helpers for driving the editor in a real X server; sourced by the scripts that need one.

# Starts Xvfb on a free display and exports DISPLAY; the server ends with the calling shell.
start_xvfb() {
    local display
    for display in $(seq 90 140); do
        [ -e "/tmp/.X${display}-lock" ] && continue
        Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$display"
        for _ in $(seq 100); do
            xdpyinfo >/dev/null 2>&1 && { trap stop_xvfb EXIT; return 0; }
            kill -0 "$XVFB_PID" 2>/dev/null || break
            sleep 0.05
        done
    done
    echo "Could not start Xvfb" >&2
    return 1
}

stop_xvfb() {
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null || true
}

# Waits until a visible window with exactly this title exists; prints its id.
wait_window() {
    local title=$1 timeout=${2:-20} id
    local deadline=$((SECONDS + timeout))
    while [ $SECONDS -lt $deadline ]; do
        id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.05
    done
    echo "No window titled '$title' appeared within ${timeout}s" >&2
    return 1
}

# Makes a folder in which the editor runs as a user's copy would: the executable with a
# Gridforge.INI beside it and the Castery folder that the default profile names.
make_sandbox() {
    local editor=$1 sandbox=$2
    mkdir -p "$sandbox/bin" "$sandbox/maps/S2"
    cp "$editor" "$sandbox/bin/kvledit"
}
