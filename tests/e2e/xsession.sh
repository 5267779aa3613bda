# Sourced by the end-to-end scripts: a work folder, an X display of their own with a window
# manager (a person closes windows through it), and a cleanup that ends what they started.

WORK=$(mktemp -d)
PIDS=()
cleanup() {
    for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

require_tools() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed"; exit 1; }
    done
}

# start_display FIRST LAST: Xvfb on the first free display number of the range, and openbox.
start_display() {
    local n
    for n in $(seq "$1" "$2"); do
        [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] || { DISPLAY_NUM=$n; break; }
    done
    export DISPLAY=:${DISPLAY_NUM:?no free display}
    export QT_QPA_PLATFORM=xcb  # the windows must reach the X display, whatever the runner set
    Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    PIDS+=($!)
    for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
    openbox >/dev/null 2>&1 &
    PIDS+=($!)
}
