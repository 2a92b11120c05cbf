#!/usr/bin/env bash
# A plant measured: the Ansible role over 100 simulated PLCs, 10 on each of 10 inventory hosts
# (local connections under different names, each with its own port registry), in the playbook's
# batches. Prints the play's wall time, one update alone, the batch count and their ratio. The
# aim: at most (batches + 1) x one update, plus Ansible's own overhead. Not a test.
#   bench/ansible/plant.sh [BIN] [HOSTS] [PLCS_PER_HOST]   BIN: the folder of qx4t-vup and qx4t-plcsim
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
bin="$(cd "${1:-$here/../../build/default/bin}" && pwd)"
hosts="${2:-10}"
per_host="${3:-10}"
export LC_ALL=C.UTF-8

work="$(mktemp -d)"
sims=()
cleanup() {
    local pid
    for pid in "${sims[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${sims[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    [ -n "${KEEP:-}" ] || rm -rf "$work"
}
trap cleanup EXIT
trap "exit 130" INT TERM

# Starts a simulated PLC at 1.70 in the registry $1 and waits for its port.
start_plc() {
    local registry="$1" out
    mkdir -p -m 0700 "$registry"
    out="$registry/sim-${#sims[@]}"
    XDG_RUNTIME_DIR="$registry" "$bin/qx4t-plcsim" --restart-time 100 >"$out" 2>&1 &
    sims+=("$!")
    for _ in $(seq 200); do
        [ -s "$out" ] && return
        sleep 0.05
    done
    echo "qx4t-plcsim did not start: $(cat "$out")" >&2
    exit 1
}

# One update alone, on a PLC of its own.
start_plc "$work/alone"
port=$(head -n 1 "$work/alone/sim-0")
start=$(date +%s.%N)
XDG_RUNTIME_DIR="$work/alone" "$bin/qx4t-vup" update --port "$port" --yes --json >"$work/alone.log"
one=$(python3 -c "import sys; print(float(sys.argv[1]) - float(sys.argv[2]))" "$(date +%s.%N)" "$start")

{
    echo "qx4t_line_pcs:"
    echo "  vars:"
    echo "    ansible_connection: local"
    echo "    ansible_python_interpreter: /usr/bin/python3"
    echo "    qx4t_vup_program: $bin/qx4t-vup"
    echo "    qx4t_vup_poll_interval: 1"
    echo "  hosts:"
} >"$work/inventory.yml"
for h in $(seq "$hosts"); do
    for _ in $(seq "$per_host"); do
        start_plc "$work/pc$h"
    done
    echo "    pc$h: {qx4t_vup_environment: {XDG_RUNTIME_DIR: $work/pc$h}}" >>"$work/inventory.yml"
done

: >"$work/ansible.cfg"
export ANSIBLE_CONFIG="$work/ansible.cfg" ANSIBLE_HOME="$work/ansible" \
    ANSIBLE_LOCAL_TEMP="$work/ansible/tmp" ANSIBLE_ASYNC_DIR="$work/ansible/async" \
    ANSIBLE_NOCOLOR=1 ANSIBLE_RETRY_FILES_ENABLED=0 ANSIBLE_FORKS="$hosts"
start=$(date +%s.%N)
rc=0
ansible-playbook -i "$work/inventory.yml" "$here/../../deploy/ansible/qx4t-vup.yml" \
    -e qx4t_vup_report_dir="$work/report" >"$work/play.log" 2>&1 || rc=$?
wall=$(python3 -c "import sys; print(float(sys.argv[1]) - float(sys.argv[2]))" "$(date +%s.%N)" "$start")
# The role's first task, printed once per batch.
batches=$(grep -c 'TASK \[qx4t_vup : Take the run id\]' "$work/play.log" || true)
summary=$(python3 -c 'import json, sys; print(json.load(open(sys.argv[1]))["summary"])' \
    "$work/report/report.json" 2>/dev/null || echo "no report")
[ "$rc" = 0 ] || { tail -n 40 "$work/play.log"; echo "ansible-playbook exited with $rc" >&2; }
python3 - "$wall" "$one" "$batches" "$summary" "$hosts" "$per_host" <<'PYEOF'
import sys
wall, one, batches = float(sys.argv[1]), float(sys.argv[2]), int(sys.argv[3])
print("plant: %s hosts x %s PLCs; results %s" % (sys.argv[5], sys.argv[6], sys.argv[4]))
print("wall time         %8.1f s" % wall)
print("one update alone  %8.1f s" % one)
print("batches           %8d" % batches)
print("wall / one update %8.2f   (aim: at most batches + 1 = %d, plus Ansible's overhead)"
      % (wall / one, batches + 1))
print("overhead beyond batches x one update: %.1f s (%.1f s per batch)"
      % (wall - batches * one, (wall - batches * one) / batches))
PYEOF
exit "$rc"
