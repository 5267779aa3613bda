#!/usr/bin/env bash
# The built station in service on a demo database, with the ordering terminals' simulator,
# while the database is taken away from it: a table renamed for 10 s, a write lock held by
# another program for 30 s, the file replaced. The red band must come within a tick of the
# fault and go at the first tick after it, a dish served during the lock must be written
# nowhere and be told on the notice, and after each fault the station works again by itself.
set -u
BIN=${1:?usage: station_outage_e2e.sh BUILD_BIN}
if [[ ! -x "$BIN/tzcy-demo" ]]; then
    echo "SKIP: $BIN/tzcy-demo is not built"
    exit 0
fi
source "$(dirname "$0")/xsession.sh"
require_tools Xvfb openbox xdotool sqlite3 import convert
fail() {
    echo "FAIL: $*"
    [[ -n ${E2E_SHOTS:-} && -f $WORK/shot.png ]] && cp "$WORK/shot.png" "$E2E_SHOTS/outage-fail.png"
    [[ -f $WORK/station.log ]] && sed 's/^/  station: /' "$WORK/station.log"
    exit 1
}
start_display 141 190

HOME_DIR=$WORK/station
"$BIN/tzcy-demo" create "$HOME_DIR" >/dev/null || fail "tzcy-demo create"
DB=$HOME_DIR/$(sed -n 's/^sql_file *= *//p' "$HOME_DIR/sql_config.ini" | tr -d '\r')
export TMPDIR=$WORK

simulate() {
    "$BIN/tzcy-demo" simulate "$HOME_DIR" --duration 240 --interval 1500 >>"$WORK/simulate.log" 2>&1 &
    SIMULATOR=$!
    PIDS+=($SIMULATOR)
}
simulate
"$BIN/tzcy-station" --home "$HOME_DIR" >"$WORK/station.log" 2>&1 &
STATION=$!
PIDS+=($STATION)

focus_window 20 '^用户登录' >/dev/null || fail "no login window"
xdotool type --delay 40 "001"
xdotool key Return
xdotool type --delay 40 "123"
xdotool key Return
MAIN=$(focus_window 20 '^檀舟餐饮ERP出品划菜$') || fail "no main window"

# Pixels of a colour in a part of the screen: the band is rgb(204, 0, 0) over the top bar,
# the notice's title "菜品未上" rgb(200, 0, 0) in the corner by the taskbar.
pixels() {
    import -window root "$WORK/shot.png" 2>/dev/null || { echo 0; return; }
    convert "$WORK/shot.png" -crop "$1" +repage -format %c histogram:info:- 2>/dev/null |
        awk -v c="$2" 'index(toupper($0), c) { n = $1; sub(":", "", n); s += n } END { print s + 0 }'
}
band_shown() { (($(pixels 1280x160+0+0 '#CC0000') > 2000)); }
notice_shown() { (($(pixels 400x300+880+500 '#C80000') > 100)); }
# wait_for SECONDS CONDITION: true as soon as the condition holds; the seconds it took in $TOOK.
wait_for() {
    local start=$SECONDS
    while ((SECONDS - start <= $1)); do
        if "${@:2}"; then TOOK=$((SECONDS - start)); return 0; fi
        sleep 0.3
    done
    return 1
}
band_gone() { ! band_shown; }
# The other programs wait for a lock as the ERP's do, instead of failing at once.
sql() { sqlite3 -cmd ".timeout 5000" "$@"; }
served_since() { sql "$DB" "select count(*) from Consume where consume_donetime >= '$1'"; }
# F9 on the list's current line; a serving-order question is answered Yes.
press_f9() {
    xdotool windowactivate --sync "$MAIN" >/dev/null 2>&1
    xdotool key F9
    if focus_window 3 '^系统提示$' >/dev/null; then xdotool key Return; fi
}

wait_for 10 band_gone || fail "a band before any fault"

# 1. A table renamed for 10 s (another program's schema maintenance).
sql "$DB" "alter table guest rename to guest_away" || fail "rename"
wait_for 8 band_shown || fail "no band within a tick of the table renamed"
echo "table renamed: band after ${TOOK}s"
sleep $((10 - TOOK))
sql "$DB" "alter table guest_away rename to guest" || fail "rename back"
wait_for 20 band_gone || fail "the band stayed after the table came back"
echo "table back: band gone after ${TOOK}s"

# 2. A write lock held for 30 s: reads go on (no band), a dish served meanwhile is not.
(echo "BEGIN IMMEDIATE;"; sleep 30; echo "COMMIT;") | sql "$DB" &
LOCK=$!
PIDS+=($LOCK)
sleep 1
T0=$(date '+%F %T')
press_f9
wait_for 5 notice_shown || fail "no notice for a dish not served during the lock"
[[ $(served_since "$T0") == 0 ]] || fail "a dish was recorded served during the lock"
for _ in 1 2 3; do
    band_shown && fail "the band during a write lock, while the data are current"
    sleep 2
done
wait "$LOCK"
sleep 8  # the notice closes
T1=$(date '+%F %T')
press_f9
for _ in $(seq 30); do [[ $(served_since "$T1") == 1 ]] && break; sleep 0.2; done
[[ $(served_since "$T1") == 1 ]] || fail "F9 after the lock did not serve the dish"
echo "write lock: notice, nothing written, no band; served after it"

# 3. The file replaced by a copy (a restore): every program stops first, as the notes say,
# but the station, which is to notice it by itself and open the new file.
kill "$SIMULATOR"; wait "$SIMULATOR" 2>/dev/null
sql "$DB" ".backup '$WORK/restored.db'" || fail "backup"
sqlite3 "$WORK/restored.db" "update guest set guest_rs = 77" || fail "mark the copy"
mv "$WORK/restored.db" "$DB"
wait_for 8 band_shown || fail "no band within a tick of the file replaced"
echo "file replaced: band after ${TOOK}s"
wait_for 20 band_gone || fail "the station did not come back on the new file"
echo "file replaced: band gone after ${TOOK}s"
simulate
sleep 8
T2=$(date '+%F %T')
press_f9
for _ in $(seq 30); do [[ $(served_since "$T2") == 1 ]] && break; sleep 0.2; done
[[ $(served_since "$T2") == 1 ]] || fail "F9 did not write into the new file"
[[ $(sql "$DB" "select count(*) from guest where guest_rs = 77") -gt 0 ]] || fail "not the copy"
[[ $(sql "$DB" "pragma integrity_check") == ok ]] || fail "the new file is damaged"
kill -0 "$STATION" 2>/dev/null || fail "the station ended"
echo "PASS: band within a tick of each fault and gone after it, no write during the lock, the new file used and intact"
