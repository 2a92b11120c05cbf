#!/usr/bin/env bash
# Runs a command on a virtual X display that no other test can take, and ends the display with
# it. Xvfb picks a free display number itself (-displayfd) and holds it by its lock file for as
# long as it runs, so tests started side by side (ctest -j) never share, reuse or end each
# other's displays; xvfb-run -a cannot promise that.
#   own-display.sh COMMAND [ARGUMENT...]
# Exits with the command's status, or 1 when no display could be started.
set -euo pipefail
(($#)) || { echo "usage: own-display.sh COMMAND [ARGUMENT...]" >&2; exit 2; }
command -v Xvfb >/dev/null || { echo "own-display: Xvfb not found (Debian package xvfb)" >&2; exit 1; }

work=$(mktemp -d)
server=""
child=""
end() {  # end <pid>: stops a process of ours and waits for it
    [ -z "$1" ] || { kill "$1" 2>/dev/null || true; wait "$1" 2>/dev/null || true; }
}
trap 'end "$child"; end "$server"; rm -rf "$work"' EXIT
trap 'exit 143' TERM
trap 'exit 130' INT

Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$work/display" >"$work/server.log" 2>&1 &
server=$!

number=""
for _ in $(seq 300); do  # up to 30 s
    number=$(sed -n '1{/^[0-9][0-9]*$/p}' "$work/display")
    [ -n "$number" ] && break
    if ! kill -0 "$server" 2>/dev/null; then
        echo "own-display: Xvfb ended before it reported its display number; it said:" >&2
        sed 's/^/  Xvfb: /' "$work/server.log" >&2
        exit 1
    fi
    sleep 0.1
done
[ -n "$number" ] || { echo "own-display: Xvfb reported no display number within 30 s" >&2; exit 1; }

# In the background, so that a TERM from a test driver's timeout reaches the trap at once and
# takes the command and the server down with it.
DISPLAY=":$number" "$@" &
child=$!
status=0
wait "$child" || status=$?
child=""
exit "$status"
