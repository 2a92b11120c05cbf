#!/usr/bin/env bash
# What a newcomer does on a desktop: scripts/demo.sh opens the wizard on a simulated PLC. Under a
# virtual display, wait for the wizard's window by its title, close it with Escape (Cancel on
# the first page), and check that the demo ended cleanly and took its simulator with it.
#   DemoWindowTest.sh <build folder>
set -euo pipefail
build=$(cd "$1" && pwd)
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
title='^QX4T Version-up Tool$'

[ -n "${DISPLAY:-}" ] || { echo "FAIL: no display: run me under tests/support/own-display.sh" >&2; exit 1; }

fail() { echo "FAIL: $*" >&2; [ -f "${log:-}" ] && sed 's/^/  demo: /' "$log" >&2; exit 1; }

# A private runtime folder: the demo's simulator registers its port there and nowhere else.
XDG_RUNTIME_DIR=$(mktemp -d)
chmod 700 "$XDG_RUNTIME_DIR"
export XDG_RUNTIME_DIR
log=$(mktemp)
demo=""
cleanup() {
    [ -z "$demo" ] || kill "$demo" 2>/dev/null || true
    rm -rf "$XDG_RUNTIME_DIR" "$log"
}
trap cleanup EXIT
unset QT_QPA_PLATFORM  # the real window system, not the test default

# The build folder as ctest found it: other tests run from its program folder meanwhile.
QX4T_DEMO_BUILD=$build QX4T_DEMO_NO_BUILD=1 bash "$root/scripts/demo.sh" </dev/null >"$log" 2>&1 &
demo=$!

wid=""
for _ in $(seq 600); do  # up to 120 s
    wid=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -n1 || true)
    [ -n "$wid" ] && break
    kill -0 "$demo" 2>/dev/null || fail "the demo ended before its window titled '$title' appeared (display $DISPLAY)"
    sleep 0.2
done
[ -n "$wid" ] || fail "no window titled '$title' within 120 s"

entry=$(ls "$XDG_RUNTIME_DIR"/qx4t/ports/*.port 2>/dev/null | head -n1 || true)
[ -n "$entry" ] || fail "the simulator registered no port"
sim=$(sed -n 's/^pid=//p' "$entry")
[ -n "$sim" ] && kill -0 "$sim" 2>/dev/null || fail "the simulator is not running (pid '$sim')"

xdotool windowfocus --sync "$wid" key --clearmodifiers Escape

for _ in $(seq 150); do
    kill -0 "$demo" 2>/dev/null || break
    sleep 0.2
done
kill -0 "$demo" 2>/dev/null && fail "the demo did not end within 30 s of closing its window"
status=0
wait "$demo" || status=$?
demo=""
[ "$status" -eq 0 ] || fail "the demo exited with $status"
kill -0 "$sim" 2>/dev/null && fail "the simulator (pid $sim) outlived the demo"
[ -z "$(ls "$XDG_RUNTIME_DIR"/qx4t/ports/ 2>/dev/null)" ] || fail "the simulator's port entry was left behind"
echo "demo window opened, closed, demo and simulator gone"
