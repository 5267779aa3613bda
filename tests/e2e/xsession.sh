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
# Other developers' tests pick numbers from the same range at the same moment: a display
# that another server took first is skipped, so no test ever talks to someone else's X.
start_display() {
    local n xvfb
    DISPLAY_NUM=
    for n in $(seq "$1" "$2"); do
        [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
        Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
        xvfb=$!
        for _ in $(seq 50); do
            kill -0 "$xvfb" 2>/dev/null || break
            DISPLAY=:$n xdotool getdisplaygeometry >/dev/null 2>&1 && break
            sleep 0.1
        done
        # Ours only if it still runs once the display answers.
        if kill -0 "$xvfb" 2>/dev/null && DISPLAY=:$n xdotool getdisplaygeometry >/dev/null 2>&1; then
            PIDS+=($xvfb)
            DISPLAY_NUM=$n
            break
        fi
        kill "$xvfb" 2>/dev/null
    done
    export DISPLAY=:${DISPLAY_NUM:?no free display}
    export QT_QPA_PLATFORM=xcb  # the windows must reach the X display, whatever the runner set
    openbox >/dev/null 2>&1 &
    PIDS+=($!)
    # Windows are activated through the window manager: wait until it has taken the display.
    for _ in $(seq 50); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
    done
}

# focus_window SECONDS NAME: waits for a visible window whose title matches NAME, gives it the
# keyboard and prints its id; fails when none appears in time.
# A window that closes while xdotool walks the tree makes one search fail (BadWindow), so the
# search is repeated until the time is up rather than trusted once.
focus_window() {
    local id="" tries=$(($1 * 10))
    while ((tries-- > 0)); do
        id=$(xdotool search --onlyvisible --name "$2" 2>/dev/null) && [[ -n $id ]] && break
        id=""
        sleep 0.1
    done
    [[ -n $id ]] || return 1
    id=${id%%$'\n'*}
    xdotool windowactivate --sync "$id" >/dev/null 2>&1 ||
        xdotool windowfocus --sync "$id" >/dev/null 2>&1 || true
    echo "$id"
}

# expect_exit_0 PID WHAT: the process ends within 10 s, with exit code 0 (uses the script's fail).
expect_exit_0() {
    local rc
    for _ in $(seq 100); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$1" 2>/dev/null && fail "$2 did not end"
    wait "$1"
    rc=$?
    [[ $rc == 0 ]] || fail "$2: exit code $rc"
}
