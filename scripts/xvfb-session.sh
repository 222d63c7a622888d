# Helpers for driving the editor in a real X server; sourced by the scripts that need one.
#
# Everything started here dies with the calling shell, however that shell ends: each child
# gets a parent-death signal (setpriv --pdeathsig), because a SIGKILL to the shell, as
# ctest's time-out sends, runs no trap. Xvfb gets SIGTERM so that it removes its own lock.

# Runs a command in the background that receives SIGNAL when this shell dies; sets BG_PID.
start_bound_to_shell() {
    local signal=$1
    shift
    setpriv --pdeathsig "$signal" -- "$@" &
    BG_PID=$!
}

# Starts Xvfb on a free display and exports DISPLAY.
start_xvfb() {
    local display
    for display in $(seq 90 140); do
        [ -e "/tmp/.X${display}-lock" ] && continue
        start_bound_to_shell TERM Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp
        XVFB_PID=$BG_PID
        XVFB_DISPLAY=$display
        export DISPLAY=":$display"
        for _ in $(seq 100); do
            # Another run may have taken the display a moment before ours: only our own
            # server, named in the display's lock, will do.
            if xdpyinfo >/dev/null 2>&1; then
                [ "$(tr -d ' \n' <"/tmp/.X${display}-lock" 2>/dev/null)" = "$XVFB_PID" ] && return 0
                break
            fi
            kill -0 "$XVFB_PID" 2>/dev/null || break
            sleep 0.05
        done
        stop_xvfb
    done
    echo "Could not start Xvfb on any display from :90 to :140" >&2
    return 1
}

# Ends the server and waits, within a bound, until it has removed its lock file.
stop_xvfb() {
    [ -n "${XVFB_PID:-}" ] || return 0
    kill "$XVFB_PID" 2>/dev/null
    wait_until_gone "$XVFB_PID" 5 || kill -KILL "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
}

# True once process PID has ended, false after SECONDS seconds.
wait_until_gone() {
    local pid=$1 deadline=$((SECONDS + $2))
    while kill -0 "$pid" 2>/dev/null; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.05
    done
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

# Saves what a person needs to see why a run failed: the screen, the windows with their
# titles. Prints the files written.
save_x_evidence() {
    local folder=$1
    mkdir -p "$folder"
    xwininfo -root -tree >"$folder/windows.txt" 2>&1 || true
    if command -v import >/dev/null 2>&1; then
        timeout 10 import -window root "$folder/screen.png" 2>/dev/null && echo "$folder/screen.png"
    else
        timeout 10 xwd -root -silent >"$folder/screen.xwd" 2>/dev/null && echo "$folder/screen.xwd"
    fi
    echo "$folder/windows.txt"
}

# Makes a folder in which the editor runs as a user's copy would: the executable with a
# Gridforge.INI beside it and the Castery folder that the default profile names.
make_sandbox() {
    local editor=$1 sandbox=$2
    mkdir -p "$sandbox/bin" "$sandbox/maps/S2"
    cp "$editor" "$sandbox/bin/kvledit"
}
