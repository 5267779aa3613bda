#!/usr/bin/env bash
# The built station on a demo database under Xvfb in scanner mode: xdotool types dish line
# numbers at scanner speed (10 ms a key) and Enter into the dish search box, as a barcode
# scanner does. Afterwards Consume differs from before in exactly the scanned open lines, and
# in them only in their state columns. Scanned: lines of two tables (the second while the list
# shows the first's), a line scanned twice (its served time stays), a settled line (refused),
# and, after a restart with a department filter stored, a line that filter leaves out of the
# list and one it shows.
set -u
BIN=${1:?usage: scan_e2e.sh BUILD_BIN}
if [[ ! -x "$BIN/tzcy-demo" ]]; then
    echo "SKIP: $BIN/tzcy-demo is not built"
    exit 0
fi
source "$(dirname "$0")/xsession.sh"
require_tools Xvfb openbox xdotool sqlite3
fail() { echo "FAIL: $*"; [[ -f $WORK/station.log ]] && sed 's/^/  station: /' "$WORK/station.log"; exit 1; }
start_display 90 140

HOME_DIR=$WORK/station
"$BIN/tzcy-demo" create "$HOME_DIR" >/dev/null || fail "tzcy-demo create"
DB=$HOME_DIR/$(sed -n 's/^sql_file *= *//p' "$HOME_DIR/sql_config.ini" | tr -d '\r')
[[ -f $DB ]] || fail "no database in $HOME_DIR"
sql() { sqlite3 "$DB" "$@"; }

# Scanner mode, no voice, no serving-order question (a modal box would take the next code).
settings() {
    printf '[tzcp_config]\r\nSDSR=N\r\nYYBC=N\r\nMEAL_ORDER=N\r\nCB_cpbm=%s\r\n' "$1" \
        >"$HOME_DIR/cp_config.ini"
}

# Open lines the scan can find (its lookup: a dish of Meal, a table of room, not returned),
# not served yet, one table after another.
OPEN="from Consume c join guest g on g.guest_bh = c.consume_guest_bh
      join Meal m on m.meal_bh = c.consume_meal_id join room r on r.room_id = c.consume_table
      where g.guest_estate = 'true' and c.consume_state <> '已结' and c.consume_return <> 'Y'
      and coalesce(c.consume_Chupinlogo, '') <> '4' and c.consume_num > 0"
TABLE_A=$(sql "select c.consume_table $OPEN order by c.consume_table limit 1")
TABLE_B=$(sql "select c.consume_table $OPEN and c.consume_table <> '$TABLE_A' order by c.consume_table limit 1")
L1=$(sql "select c.consume_bh $OPEN and c.consume_table = '$TABLE_A' order by c.consume_bh limit 1")
L2=$(sql "select c.consume_bh $OPEN and c.consume_table = '$TABLE_B' order by c.consume_bh limit 1")
SETTLED=$(sql "select consume_bh from Consume where consume_state = '已结' and consume_return <> 'Y' limit 1")
# The filter of the second run: the department of a line that is left; one line of it and
# one of another department.
DEP=$(sql "select c.consume_CPdep $OPEN and c.consume_bh not in ('$L1','$L2') and c.consume_CPdep <> '' order by c.consume_bh limit 1")
DEP_ITEM=$(sql "select count(*) from Kitchen where rowid <= (select rowid from Kitchen where kitchen_bh = '$DEP')")
L3=$(sql "select c.consume_bh $OPEN and c.consume_bh not in ('$L1','$L2') and c.consume_CPdep <> '$DEP' order by c.consume_bh desc limit 1")
L4=$(sql "select c.consume_bh $OPEN and c.consume_bh not in ('$L1','$L2') and c.consume_CPdep = '$DEP' order by c.consume_bh desc limit 1")
for v in TABLE_A TABLE_B L1 L2 SETTLED DEP L3 L4; do
    [[ -n ${!v} ]] || fail "the demo has no $v"
done
((DEP_ITEM > 0)) || fail "department $DEP not in Kitchen"

sql ".backup '$WORK/before.db'" || fail "no copy of the database"

# Our own guard folder, so a station running elsewhere on this machine does not interfere.
export TMPDIR=$WORK
STATION=
start_station() {
    "$BIN/tzcy-station" --home "$HOME_DIR" >>"$WORK/station.log" 2>&1 &
    STATION=$!
    PIDS+=($STATION)
    focus_window 20 '^用户登录' >/dev/null || fail "no login window"
    xdotool type --delay 40 "001"
    xdotool key Return
    xdotool type --delay 40 "123"
    xdotool key Return
    focus_window 20 '^檀舟餐饮ERP出品划菜$' >/dev/null || fail "no main window"
}
close_station() {
    focus_window 10 '^檀舟餐饮ERP出品划菜$' >/dev/null || fail "no main window to close"
    xdotool key alt+F4
    focus_window 10 '^提示$' >/dev/null || fail "no close question"
    xdotool key Return
    expect_exit_0 "$STATION" "the station after the confirmation"
}

# The code and its Enter from one process, 10 ms a key (5 ms down, 5 ms up), as a scanner
# types. (A typed newline is no Return key to the station.)
scan() { xdotool type --delay 10 --args 1 "$1" key --delay 10 Return; }
served_at() { sql "select consume_donetime from Consume where consume_bh = '$1' and consume_Chupinlogo = '4'"; }
# A served line shows in the database within 10 s; SERVED_AT is its served time.
wait_served() {
    for _ in $(seq 100); do
        SERVED_AT=$(served_at "$1")
        [[ -n $SERVED_AT ]] && return 0
        sleep 0.1
    done
    fail "line $1 was scanned but is not served"
}

settings 0
start_station
scan "$L1"
wait_served "$L1"
first_at=$SERVED_AT
scan "$L2"   # the list shows table A now; L2 is of table B
wait_served "$L2"
# The ticket scanned again is refused, and so is a line of a settled bill; a later scan that
# is served shows both were handled (keys are taken in order).
sleep 1.1    # a served time a second later would show as a change
scan "$L1"
scan "$SETTLED"
close_station

settings "$DEP_ITEM"
start_station
scan "$L3"   # its department is filtered out of the list
wait_served "$L3"
scan "$L4"
wait_served "$L4"
close_station
# The close writes back the filter it ran with.
stored=$(tr -d '\r' <"$HOME_DIR/cp_config.ini" | sed -n 's/^cb_cpbm=//Ip')
[[ $stored == "$DEP_ITEM" ]] || fail "the station ran with department item $stored, not $DEP_ITEM"

[[ $(served_at "$L1") == "$first_at" ]] || fail "the second scan of $L1 moved its served time"

# Exactly the scanned open lines changed, and in them only the state columns.
COLUMNS=$(sql "select group_concat(name) from pragma_table_info('Consume')
               where name not in ('consume_Chupinlogo', 'consume_Chupinstate', 'consume_donetime')")
ATTACH="attach '$WORK/before.db' as b;"
expected=$(printf '%s\n' "$L1" "$L2" "$L3" "$L4" | sort)
changed=$(sql "$ATTACH select consume_bh from (select * from main.Consume except select * from b.Consume) order by 1")
[[ $changed == "$expected" ]] || fail "changed lines: $(echo $changed), scanned open lines: $(echo $expected)"
was=$(sql "$ATTACH select consume_bh from (select * from b.Consume except select * from main.Consume) order by 1")
[[ $was == "$expected" ]] || fail "lines gone or changed: $(echo $was)"
others=$(sql "$ATTACH select count(*) from (select $COLUMNS from main.Consume except select $COLUMNS from b.Consume)")
[[ $others == 0 ]] || fail "$others lines changed outside their state columns"
states=$(sql "select distinct consume_Chupinlogo || consume_Chupinstate from Consume
              where consume_bh in ('$L1','$L2','$L3','$L4')")
[[ $states == "4菜品已上" ]] || fail "served lines hold: $states"
echo "PASS: 4 open lines scanned and served, one twice and a settled line refused; nothing else changed"
