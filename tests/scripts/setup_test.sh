#!/usr/bin/env bash
# scripts/setup's install path, which a machine that has every package never takes: as root
# without sudo, as a user through sudo, and with nothing missing. Stand-ins for dpkg-query,
# id, apt-get and sudo record what was called; only they and a few basic tools are on PATH.
set -euo pipefail
setup=$(cd "$(dirname "$0")/../.." && pwd)/scripts/setup
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# bin: the basic tools the script needs, linked from the system; no sudo among them.
make_bin() {
  local bin=$1
  mkdir -p "$bin"
  for tool in bash env grep cat; do
    ln -s "$(command -v "$tool")" "$bin/$tool"
  done
  # Every package is installed except those named in $work/missing.
  cat >"$bin/dpkg-query" <<'STUB'
#!/usr/bin/env bash
for p in "$@"; do :; done
if grep -qx -- "$p" "$WORK/missing" 2>/dev/null; then
  echo "dpkg-query: no packages found matching $p" >&2
  exit 1
fi
printf 'install ok installed'
STUB
  cat >"$bin/id" <<'STUB'
#!/usr/bin/env bash
[ "$1" = "-u" ] || exit 1
echo "$FAKE_UID"
STUB
  cat >"$bin/apt-get" <<'STUB'
#!/usr/bin/env bash
echo "apt-get ${SUDO_STUB:+(sudo) }frontend=${DEBIAN_FRONTEND:-} $*" >>"$WORK/calls"
STUB
  chmod +x "$bin/dpkg-query" "$bin/id" "$bin/apt-get"
}

add_sudo() {
  cat >"$1/sudo" <<'STUB'
#!/usr/bin/env bash
echo "sudo $*" >>"$WORK/calls"
[ "$1" = "-E" ] || { echo "sudo without -E: the environment would be lost" >&2; exit 1; }
shift
SUDO_STUB=1 exec "$@"
STUB
  chmod +x "$1/sudo"
}

# run NAME UID [sudo]: scripts/setup in a fresh case folder; its calls are in $WORK/calls.
run() {
  export WORK=$work/$1
  mkdir -p "$WORK"
  make_bin "$WORK/bin"
  [ "${3:-}" = sudo ] && add_sudo "$WORK/bin"
  printf '%s\n' cmake sqlite3 >"$WORK/missing"
  : >"$WORK/calls"
  FAKE_UID=$2 PATH=$WORK/bin DEBIAN_FRONTEND= "$WORK/bin/bash" "$setup" >"$WORK/out" 2>&1 ||
    fail "$1: scripts/setup failed: $(cat "$WORK/out")"
}

expect_calls() {
  local got
  got=$(cat "$WORK/calls")
  [ "$got" = "$1" ] || fail "calls were:
$got
expected:
$1"
}

run root 0
expect_calls "apt-get frontend=noninteractive update -qq
apt-get frontend=noninteractive install -y -qq --no-install-recommends cmake sqlite3"

run root-with-sudo-present 0 sudo
expect_calls "apt-get frontend=noninteractive update -qq
apt-get frontend=noninteractive install -y -qq --no-install-recommends cmake sqlite3"

run user 1000 sudo
expect_calls "sudo -E apt-get update -qq
apt-get (sudo) frontend=noninteractive update -qq
sudo -E apt-get install -y -qq --no-install-recommends cmake sqlite3
apt-get (sudo) frontend=noninteractive install -y -qq --no-install-recommends cmake sqlite3"

# Nothing missing: nothing is installed, and no sudo is asked for.
export WORK=$work/complete
mkdir -p "$WORK"
make_bin "$WORK/bin"
add_sudo "$WORK/bin"
: >"$WORK/calls"
FAKE_UID=1000 PATH=$WORK/bin "$WORK/bin/bash" "$setup" >"$WORK/out" 2>&1 ||
  fail "complete: scripts/setup failed: $(cat "$WORK/out")"
expect_calls ""

echo "setup_test: 4 cases passed"
