#!/usr/bin/env bash
# The built station on a demo database under Xvfb: log in as a person types, see the main
# window, close it with the confirmation, then check the session row and the log rows.
set -u
BIN=${1:?usage: station_login_e2e.sh BUILD_BIN}
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

# Our own guard folder, so a station running elsewhere on this machine does not interfere.
export TMPDIR=$WORK
"$BIN/tzcy-station" --home "$HOME_DIR" >"$WORK/station.log" 2>&1 &
STATION=$!
PIDS+=($STATION)

focus_window 20 '^用户登录' >/dev/null || fail "no login window"
xdotool type --delay 40 "001"
xdotool key Return
xdotool type --delay 40 "123"
xdotool key Return

focus_window 20 '^檀舟餐饮ERP出品划菜$' >/dev/null || fail "no main window"
[[ $(sqlite3 "$DB" "select count(*) from khdzt") == 1 ]] || fail "no session row after login"

xdotool key alt+F4
focus_window 10 '^提示$' >/dev/null || fail "no close question"
xdotool key Return
expect_exit_0 "$STATION" "the station after the confirmation"

sessions=$(sqlite3 "$DB" "select count(*) from khdzt")
[[ $sessions == 0 ]] || fail "khdzt still has $sessions rows"
details=$(sqlite3 "$DB" "select Logb_loginfo from logb order by Logb_datetime, rowid")
expected=$'001登录系统\n001退出登录'
[[ $details == "$expected" ]] || fail "logb holds: $details"
others=$(sqlite3 "$DB" "select count(*) from logb where Logb_mrzy='操作员登录' and Logb_mkmc='出品划菜' and Logb_user='001' and Logb_gzzd='默认工作站' and logb_xtbl='N' and Logb_mkjp='roze'")
[[ $others == 2 ]] || fail "log rows do not carry the fixed texts"
echo "PASS: login, main window, confirmed close; session row gone, both log rows written"
