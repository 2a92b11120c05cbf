#!/usr/bin/env bash
# Serves COMn of a Wine prefix from qx4t-plcsim on a pseudo-terminal while a command runs:
#   with-com-port.sh PREFIX COMn PLCSIM [PLCSIM OPTIONS...] -- COMMAND [ARGS...]
# Wine opens \\.\COMn through the prefix's dosdevices/comn link, which points at the
# simulator's pseudo-terminal for the command's run. Exits 77 (skipped) when the simulator has
# not been built.
set -euo pipefail
prefix="$1" com="$2" plcsim="$3"
shift 3
sim_args=()
while [ "$#" -gt 0 ] && [ "$1" != "--" ]; do
    sim_args+=("$1")
    shift
done
[ "$#" -gt 0 ] && shift
if [ ! -x "$plcsim" ]; then
    echo "qx4t-plcsim not found at $plcsim: build the default preset first" >&2
    exit 77
fi

work=$(mktemp -d)
sim_pid=""
cleanup() {
    if [ -n "$sim_pid" ]; then
        kill "$sim_pid" 2>/dev/null || true
        wait "$sim_pid" 2>/dev/null || true
    fi
    rm -f "$link"
    rm -rf "$work"
}
link="$prefix/dosdevices/${com,,}"
trap cleanup EXIT

# The simulator's registry entry goes to a folder of its own, not the user's.
mkdir -m 0700 "$work/runtime"
XDG_RUNTIME_DIR="$work/runtime" "$plcsim" "${sim_args[@]}" >"$work/sim.out" 2>"$work/sim.err" &
sim_pid=$!
# Its first line names the port; bounded, so a simulator that fails is told, not waited for.
for _ in $(seq 1 100); do
    [ -s "$work/sim.out" ] && break
    kill -0 "$sim_pid" 2>/dev/null || break
    sleep 0.05
done
port=$(head -n 1 "$work/sim.out" || true)
if [[ "$port" != pts/* ]]; then
    echo "qx4t-plcsim did not start: $(cat "$work/sim.err")" >&2
    exit 1
fi

# The prefix exists once the emulator has run a program in it (test discovery did).
mkdir -p "$prefix/dosdevices"
ln -sfn "/dev/$port" "$link"
echo "$com -> /dev/$port"
set +e
"$@"
status=$?
set -e
# A simulator that ended before it was told to is part of the story.
if ! kill -0 "$sim_pid" 2>/dev/null; then
    echo "-- qx4t-plcsim ended early:" >&2
    cat "$work/sim.err" >&2
fi
exit "$status"
