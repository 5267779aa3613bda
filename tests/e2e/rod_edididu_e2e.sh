#!/usr/bin/env bash
# rod_edididu as an administrator and the station use it: the command-line steps, then the
# dialog on a virtual display, saved with the keyboard. $1 is the folder of the built programs.
set -euo pipefail
bin=$(cd "${1:?usage: rod_edididu_e2e.sh BIN_DIR}" && pwd)
tool=$bin/rod_edididu
work=$(mktemp -d)
pids=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[$i]}" 2>/dev/null || true
    wait "${pids[$i]}" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# The INI file has Windows line ends.
has_line() { tr -d '\r' <"$2" | grep -qx -- "$1"; }
unset TZCY_HOME

# A write, read back by the file's own keys; the password is stored scrambled only.
mkdir "$work/station"
"$tool" --home "$work/station" --write --engine mssql --server 'erp\SQL2008' \
  --password 'p;w}"1' --driver FreeTDS >/dev/null || fail "--write"
ini=$work/station/sql_config.ini
has_line 'sql_servername=erp\\SQL2008' "$ini" || fail "server not written: $(cat "$ini")"
has_line 'sql_engine=mssql' "$ini" || fail "engine not written"
grep -q 'p;w' "$ini" && fail "the password is in the file as typed"
has_line 'sql_serverpass=[0-9A-F]\{12\}' "$ini" || fail "password not scrambled: $(cat "$ini")"

# TZCY_HOME names the folder when --home does not.
mkdir "$work/other"
TZCY_HOME=$work/other "$tool" --write --engine sqlite >/dev/null || fail "--write by TZCY_HOME"
has_line 'sql_file=tzcyerp.db' "$work/other/sql_config.ini" || fail "TZCY_HOME ignored"

# Bad arguments: a message and an exit code of 2, nothing written.
mkdir "$work/bad"
set +e
"$tool" --home "$work/bad" --write --engine db2 2>"$work/err"
code=$?
set -e
[ "$code" = 2 ] || fail "bad engine gave $code"
grep -q 'mssql 或 sqlite' "$work/err" || fail "no message for a bad engine"
[ ! -e "$work/bad/sql_config.ini" ] || fail "a bad command line wrote the file"

# --test against a demo database that exists, and one that does not.
if [ -x "$bin/tzcy-demo" ]; then
  "$bin/tzcy-demo" create "$work/demo" --history 0 >/dev/null || fail "tzcy-demo create"
  "$tool" --home "$work/demo" --test >/dev/null || fail "--test on the demo"
  set +e
  "$tool" --home "$work/demo" --test --file missing.db 2>/dev/null
  code=$?
  set -e
  [ "$code" = 1 ] || fail "--test on a missing file gave $code"
fi

# The dialog, as the station opens it after a failed connection: Enter saves (the default
# button), the confirmation is answered with Enter, the tool ends with 0 and the file holds
# the fields it was filled with.
if ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null; then
  echo "SKIP: the dialog part needs Xvfb and xdotool"
  exit 0
fi
display=:$((100 + RANDOM % 400))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do
  xdpyinfo -display "$display" >/dev/null 2>&1 && break
  sleep 0.1
done
export DISPLAY=$display
# The test runner sets the offscreen platform for the unit tests; this part needs X.
export QT_QPA_PLATFORM=xcb
before=$(grep -v '^sql_serverpass' "$ini")
timeout 60 "$tool" --home "$work/station" --reason failed --error "Adaptive Server is unavailable" &
tool_pid=$!
pids+=($tool_pid)
win=$(timeout 30 xdotool search --sync --onlyvisible --name '数据库连接设置' | head -1 || true)
[ -n "$win" ] || fail "the dialog did not appear"
xdotool windowfocus --sync "$win"
xdotool key Return
# The confirmation box is a new window of the same process.
for _ in $(seq 50); do
  box=$(xdotool search --onlyvisible --name '提示信息' 2>/dev/null | head -1 || true)
  [ -n "$box" ] && break
  sleep 0.1
done
[ -n "$box" ] || fail "no confirmation after saving"
xdotool windowfocus --sync "$box"
xdotool key Return
set +e
wait "$tool_pid"
code=$?
set -e
[ "$code" = 0 ] || fail "the dialog ended with $code after saving"
[ "$(grep -v '^sql_serverpass' "$ini")" = "$before" ] || fail "saving changed the fields"
echo "rod_edididu e2e: ok"
