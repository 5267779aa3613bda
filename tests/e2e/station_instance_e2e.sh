#!/usr/bin/env bash
# One station per PC: a second start while one runs says so and ends; after the first copy
# was killed, a new start proceeds to the login.
set -u
BIN=${1:?usage: station_instance_e2e.sh BUILD_BIN}
if [[ ! -x "$BIN/tzcy-demo" ]]; then
    echo "SKIP: $BIN/tzcy-demo is not built"
    exit 0
fi
source "$(dirname "$0")/xsession.sh"
require_tools Xvfb openbox xdotool
fail() { echo "FAIL: $*"; exit 1; }
start_display 141 190

HOME_DIR=$WORK/station
"$BIN/tzcy-demo" create "$HOME_DIR" >/dev/null || fail "tzcy-demo create"
export TMPDIR=$WORK

start_station() {
    "$BIN/tzcy-station" --home "$HOME_DIR" >>"$WORK/station.log" 2>&1 &
    LAST=$!
    PIDS+=($LAST)
}

start_station
FIRST=$LAST
timeout 20 xdotool search --sync --onlyvisible --name '^用户登录' >/dev/null || fail "first copy: no login window"

start_station
SECOND=$LAST
focus_window 20 '^提示信息$' >/dev/null || fail "second copy: no message"
xdotool key Return
expect_exit_0 "$SECOND" "second copy"
kill -0 "$FIRST" 2>/dev/null || fail "the first copy ended too"

kill -9 "$FIRST"
wait "$FIRST" 2>/dev/null
for _ in $(seq 50); do
    [[ -z $(xdotool search --onlyvisible --name '^用户登录' 2>/dev/null) ]] && break
    sleep 0.1
done

start_station
THIRD=$LAST
timeout 20 xdotool search --sync --onlyvisible --name '^用户登录' >/dev/null ||
    fail "after the first copy was killed, a new start shows no login window"
xdotool search --onlyvisible --name '^提示信息$' >/dev/null 2>&1 && fail "the stale guard blocked the new start"
kill -0 "$THIRD" 2>/dev/null || fail "the new start ended"
echo "PASS: second copy refused while the first runs; a start after kill -9 proceeds"
