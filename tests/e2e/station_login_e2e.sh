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

login=$(timeout 20 xdotool search --sync --onlyvisible --name '^用户登录') || fail "no login window"
login=${login%%$'\n'*}
xdotool windowactivate --sync "$login" >/dev/null 2>&1 || xdotool windowfocus --sync "$login"
xdotool type --delay 40 "001"
xdotool key Return
xdotool type --delay 40 "123"
xdotool key Return

main=$(timeout 20 xdotool search --sync --onlyvisible --name '^檀舟餐饮ERP出品划菜$') || fail "no main window"
main=${main%%$'\n'*}
[[ $(sqlite3 "$DB" "select count(*) from khdzt") == 1 ]] || fail "no session row after login"

xdotool windowactivate --sync "$main" >/dev/null 2>&1 || xdotool windowfocus --sync "$main"
xdotool key alt+F4
question=$(timeout 10 xdotool search --sync --onlyvisible --name '^提示$') || fail "no close question"
question=${question%%$'\n'*}
xdotool windowactivate --sync "$question" >/dev/null 2>&1 || true
xdotool key Return

for _ in $(seq 100); do kill -0 "$STATION" 2>/dev/null || break; sleep 0.1; done
kill -0 "$STATION" 2>/dev/null && fail "the station did not end after the confirmation"
wait "$STATION"
rc=$?
[[ $rc == 0 ]] || fail "exit code $rc"

sessions=$(sqlite3 "$DB" "select count(*) from khdzt")
[[ $sessions == 0 ]] || fail "khdzt still has $sessions rows"
details=$(sqlite3 "$DB" "select Logb_loginfo from logb order by Logb_datetime, rowid")
expected=$'001登录系统\n001退出登录'
[[ $details == "$expected" ]] || fail "logb holds: $details"
others=$(sqlite3 "$DB" "select count(*) from logb where Logb_mrzy='操作员登录' and Logb_mkmc='出品划菜' and Logb_user='001' and Logb_gzzd='默认工作站' and logb_xtbl='N' and Logb_mkjp='roze'")
[[ $others == 2 ]] || fail "log rows do not carry the fixed texts"
echo "PASS: login, main window, confirmed close; session row gone, both log rows written"
