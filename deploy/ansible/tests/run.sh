#!/usr/bin/env bash
# The role against four simulated PLCs on two inventory hosts of this machine (each host with
# its own port registry), in three runs: check mode, the update, and the same play again.
#   deploy/ansible/tests/run.sh [BIN]     BIN: the folder of qx4t-vup and qx4t-plcsim
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
bin="$(cd "${1:-$here/../../../build/default/bin}" && pwd)"
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

# Starts a simulated PLC in the registry of host $1 and sets `port` to its port. Not in a
# subshell: the process must join `sims`, or the cleanup would miss it.
start_plc() {
    local host="$1" out
    shift
    mkdir -p -m 0700 "$work/$host"
    out="$work/$host/sim-${#sims[@]}"
    XDG_RUNTIME_DIR="$work/$host" "$bin/qx4t-plcsim" --restart-time 100 "$@" >"$out" 2>&1 &
    sims+=("$!")
    for _ in $(seq 100); do
        if [ -s "$out" ]; then
            port=$(head -n 1 "$out")
            return
        fi
        sleep 0.05
    done
    echo "qx4t-plcsim did not start: $(cat "$out")" >&2
    exit 1
}

# "1.80 false": version and update-mode bit, as the PLC on port $2 of host $1 reports them.
plc_state() {
    XDG_RUNTIME_DIR="$work/$1" "$bin/qx4t-vup" status --port "$2" --json |
        python3 -c 'import json, sys
r = json.loads(sys.stdin.readline())
print(r["version"], str(r["update_mode"]).lower())'
}

start_plc line1 && a=$port                                  # to update
start_plc line1 --version 0180 && c=$port                   # already at the target
start_plc line2 && b=$port                                  # to update
start_plc line2 --fault wrong-ack --fault-on image --fault-block 5 && d=$port
echo "work folder: $work"
echo "line1: $a (1.70) $c (1.80); line2: $b (1.70) $d (1.70, fault from block 5)"

cat >"$work/inventory.yml" <<EOF
qx4t_line_pcs:
  vars:
    ansible_connection: local
    ansible_python_interpreter: /usr/bin/python3
    qx4t_vup_program: $bin/qx4t-vup
    qx4t_vup_poll_interval: 1
  hosts:
    line1:
      qx4t_vup_environment: {XDG_RUNTIME_DIR: $work/line1}
    line2:
      qx4t_vup_environment: {XDG_RUNTIME_DIR: $work/line2}
EOF
: >"$work/ansible.cfg"
export ANSIBLE_CONFIG="$work/ansible.cfg" ANSIBLE_HOME="$work/ansible" \
    ANSIBLE_LOCAL_TEMP="$work/ansible/tmp" ANSIBLE_ASYNC_DIR="$work/ansible/async" \
    ANSIBLE_NOCOLOR=1 ANSIBLE_RETRY_FILES_ENABLED=0

# Runs the playbook with report folder $1 and the options that follow; its exit code must be
# the one in $2 (2: a host failed).
play() {
    local name="$1" want="$2" rc=0
    shift 2
    echo "== ansible-playbook $*"
    SECONDS=0
    ansible-playbook -i "$work/inventory.yml" "$here/../qx4t-vup.yml" \
        -e qx4t_vup_report_dir="$work/$name" "$@" >"$work/$name.log" 2>&1 || rc=$?
    sed -n '/PLAY RECAP/,$p' "$work/$name.log"
    echo "($SECONDS s)"
    if [ "$rc" != "$want" ]; then
        cat "$work/$name.log"
        echo "ansible-playbook exited with $rc, expected $want" >&2
        exit 1
    fi
}

check() {
    python3 "$here/check_report.py" "$work/$1/report.json" "$work/$1/report.csv"
}

play check 0 --check
check check <<EOF
{"check_mode": true, "summary": {"changed": 3, "ok": 1, "failed": 0},
 "plcs": {"$a": {"result": "changed", "version_after": "1.70"},
          "$c": {"result": "ok", "version_after": "1.80"},
          "$b": {"result": "changed", "version_after": "1.70"},
          "$d": {"result": "changed", "version_after": "1.70"}}}
EOF
for plc in "line1 $a 1.70" "line1 $c 1.80" "line2 $b 1.70" "line2 $d 1.70"; do
    set -- $plc
    state=$(plc_state "$1" "$2")
    [ "$state" = "$3 false" ] || { echo "check mode changed $2: $state" >&2; exit 1; }
done

play first 2
check first <<EOF
{"check_mode": false, "summary": {"changed": 2, "ok": 1, "failed": 1}, "batches": true,
 "parallel": "line2",
 "plcs": {"$a": {"result": "changed", "version_before": "1.70", "version_after": "1.80", "exit": 0},
          "$c": {"result": "ok", "version_before": "1.80", "version_after": "1.80", "exit": 0},
          "$b": {"result": "changed", "version_before": "1.70", "version_after": "1.80", "exit": 0},
          "$d": {"result": "failed", "version_before": "1.70", "version_after": "", "attempts": 2, "first_exit": 5}}}
EOF

play again 2
check again <<EOF
{"check_mode": false, "summary": {"changed": 0, "ok": 3, "failed": 1}, "batches": true,
 "plcs": {"$a": {"result": "ok", "version_after": "1.80"},
          "$c": {"result": "ok", "version_after": "1.80"},
          "$b": {"result": "ok", "version_after": "1.80"},
          "$d": {"result": "failed", "version_before": "1.70", "version_after": "", "attempts": 2, "first_exit": 5}}}
EOF
echo "ansible role: 3 runs passed"
