#!/usr/bin/env bash
# The role against seven simulated PLCs on two inventory hosts of this machine (each host with
# its own port registry) and a third with no PLC, in five runs: check mode; a pinned target
# that the hosts' qx4t-vup does not carry; the update with the settings given as text (-e),
# whose canary fails and ends the play; the retry files of that run, with the settings typed;
# check mode on ports and an environment given as text, beside a real run's report.
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

# "1.80 80": version and mode, as the PLC on port $2 of host $1 reports them.
plc_state() {
    XDG_RUNTIME_DIR="$work/$1" "$bin/qx4t-vup" status --port "$2" --json |
        python3 -c 'import json, sys
r = json.loads(sys.stdin.readline())
print(r["version"], r["mode"])'
}

start_plc line1 && a=$port                                  # to update
start_plc line1 --version 0180 && c=$port                   # already at the target
start_plc line1 --mode 81 && e=$port                        # needs a mode change first
start_plc line1 --mode 90 && f=$port                        # left in its update mode
start_plc line2 && b=$port                                  # to update
start_plc line2 --fault wrong-ack --fault-on image --fault-block 5 && d=$port
start_plc line2 --mode 90 && g=$port                        # an unverified update (below)
echo "work folder: $work"
echo "line1: $a (1.70) $c (1.80) $e (1.70, mode 81) $f (1.70, update mode);" \
    "line2: $b (1.70) $d (1.70, fault from block 5) $g (1.70, unverified update)"

# Every PLC as the runs before the update must leave it.
untouched() {
    local plc
    for plc in "line1 $a 1.70 80" "line1 $c 1.80 80" "line1 $e 1.70 81" "line1 $f 1.70 90" \
        "line2 $b 1.70 80" "line2 $d 1.70 80" "line2 $g 1.70 90"; do
        set -- $plc
        state=$(plc_state "$1" "$2")
        [ "$state" = "$3 $4" ] || { echo "$2 was changed: $state" >&2; exit 1; }
    done
}

# Line2's qx4t-vup answers `status` of the PLC on $QX4T_TEST_UNVERIFIED, while that PLC is in
# its update mode, as it does for a PLC whose update was begun and never verified: exit 5.
cat >"$work/qx4t-vup-line2" <<EOF
#!/bin/bash
if [ "\$1" = status ] && [ "\$3" = "\$QX4T_TEST_UNVERIFIED" ]; then
    out=\$("$bin/qx4t-vup" "\$@") || exit
    if grep -q '"update_mode":true' <<<"\$out"; then
        grep -v '"type":"result"' <<<"\$out"
        echo '{"type":"result","exit":5,"result":"failure","unverified_update":true,"message":"an update of this PLC was begun and never verified"}'
        exit 5
    fi
    echo "\$out"
    exit 0
fi
exec "$bin/qx4t-vup" "\$@"
EOF
chmod +x "$work/qx4t-vup-line2"

cat >"$work/inventory.yml" <<EOF
qx4t_line_pcs:
  vars:
    ansible_connection: local
    ansible_python_interpreter: /usr/bin/python3
    qx4t_vup_program: $bin/qx4t-vup
    qx4t_vup_poll_interval: 1
    qx4t_vup_target_version: "1.80"
  hosts:
    line1:
      qx4t_vup_environment: {XDG_RUNTIME_DIR: $work/line1}
      # Typed true: only a "false" given with -e, taken as false, refuses the mode change.
      qx4t_vup_allow_mode_change: true
    line2:
      qx4t_vup_program: $work/qx4t-vup-line2
      qx4t_vup_environment: {XDG_RUNTIME_DIR: $work/line2, QX4T_TEST_UNVERIFIED: $g}
      # A port named twice is one PLC.
      qx4t_vup_ports: [$b, $d, $g, $b]
    line3:
      qx4t_vup_environment: {XDG_RUNTIME_DIR: $work/line3}
EOF
mkdir -p -m 0700 "$work/line3"

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
    python3 "$here/check_report.py" "$work/$1"
}

# Check mode foresees the refusal of the mode change that -e turns off.
play check 0 --check -e qx4t_vup_allow_mode_change=no -e qx4t_vup_fail_host=false
check check/check- <<EOF
{"check_mode": true, "summary": {"changed": 0, "recovered": 0, "would update": 5, "ok": 1,
                                 "failed": 1, "not started": 1},
 "plcs": {"$a": {"result": "would update", "version_after": "1.70"},
          "$c": {"result": "ok", "version_after": "1.80"},
          "$e": {"result": "failed", "version_after": "1.70", "exit": null},
          "$f": {"result": "would update", "version_after": "1.70", "exit": 0},
          "$b": {"result": "would update", "version_after": "1.70"},
          "$d": {"result": "would update", "version_after": "1.70"},
          "$g": {"result": "would update", "version_after": "1.70", "exit": 5},
          "line3": {"result": "not started (no PLC found)"}}}
EOF
grep -q 'The real run would take about 4800 s so far: 2 batch(es)' "$work/check.log" ||
    { echo "check mode gave no estimate of the real run" >&2; exit 1; }
[ ! -e "$work/check/report.json" ] || { echo "check mode wrote report.json" >&2; exit 1; }

# A pin that line1's qx4t-vup does not carry stops the play before any PLC is touched; the
# report's one row says why.
play pin 2 --limit line1 -e qx4t_vup_target_version=01.70
python3 - "$work/pin/report.json" <<'EOF'
import json, sys
rows = json.load(open(sys.argv[1]))["plcs"]
said = "qx4t-vup on this line PC installs firmware 1.80, but qx4t_vup_target_version asks for 01.70"
if len(rows) != 1 or rows[0]["host"] != "line1" or rows[0]["result"] != "failed" \
        or not rows[0]["message"].startswith(said):
    sys.exit("the pin's failure is not the report's one row: %s" % rows)
EOF
untouched

# Settings as text: a "false" that refuses the mode change (line1 has it typed true), a
# "false" that leaves the hosts green, numbers. The canary line1 has a failed PLC: the budget
# of the first batch is spent and the play ends; line2's ports and line3 are not started.
play first 0 -e qx4t_vup_allow_mode_change=false -e qx4t_vup_fail_host=false \
    -e qx4t_vup_poll_interval=1 -e qx4t_vup_update_timeout=600
check first <<EOF
{"check_mode": false, "summary": {"changed": 1, "recovered": 1, "ok": 1, "failed": 1, "not started": 4},
 "plcs": {"$a": {"result": "changed", "version_before": "1.70", "version_after": "1.80", "exit": 0},
          "$c": {"result": "ok", "version_before": "1.80", "version_after": "1.80", "exit": 0},
          "$e": {"result": "failed", "version_before": "1.70", "version_after": "1.70", "exit": 3},
          "$f": {"result": "recovered", "version_before": "1.70", "version_after": "1.80", "exit": 0},
          "$b": {"result": "not started (play ended before this PC)"},
          "$d": {"result": "not started (play ended before this PC)"},
          "$g": {"result": "not started (play ended before this PC)"},
          "line3": {"result": "not started (PLCs not listed)"}},
 "retry": {"line1": ["$e"], "line2": ["$b", "$d", "$g"], "line3": null}}
EOF
[ "$(plc_state line1 "$e")" = "1.70 81" ] || { echo "$e: its mode was changed" >&2; exit 1; }
grep -q 'The failure budget (0 in the first batch) is spent' "$work/first.log" ||
    { echo "the summary does not say that the budget ended the play" >&2; exit 1; }

# What the first run left, from its retry files; the settings typed (line1 allows the mode
# change). Line2's port named twice is one PLC, updated once. Line2, its batch's one host,
# fails: Ansible ends the play there, and line3 is not started.
play again 2 --limit "@$work/first/retry-hosts" -e "@$work/first/retry-vars.yml"
check again <<EOF
{"check_mode": false, "summary": {"changed": 2, "recovered": 1, "ok": 0, "failed": 1, "not started": 1},
 "batches": true, "parallel": "line2",
 "plcs": {"$e": {"result": "changed", "version_before": "1.70", "version_after": "1.80"},
          "$b": {"result": "changed", "version_before": "1.70", "version_after": "1.80", "exit": 0},
          "$d": {"result": "failed", "version_before": "1.70", "version_after": "", "attempts": 2, "first_exit": 5},
          "$g": {"result": "recovered", "version_before": "1.70", "version_after": "1.80", "exit": 0},
          "line3": {"result": "not started (PLCs not listed)"}}}
EOF

# A list and a mapping as text, and the pin written the other way; check mode's files go
# beside the real run's report without touching it.
play listed 0 --check --limit line1 -e "qx4t_vup_ports=[\"$a\",\"$e\"]" \
    -e "qx4t_vup_environment={\"XDG_RUNTIME_DIR\":\"$work/line1\"}" \
    -e qx4t_vup_target_version=01.80 -e qx4t_vup_report_dir="$work/again"
check again/check- <<EOF
{"check_mode": true, "summary": {"changed": 0, "recovered": 0, "ok": 2, "failed": 0},
 "plcs": {"$a": {"result": "ok"}, "$e": {"result": "ok"}}}
EOF
python3 -c 'import json, sys; sys.exit(json.load(open(sys.argv[1]))["check_mode"])' \
    "$work/again/report.json" || { echo "check mode wrote over the real report" >&2; exit 1; }
echo "ansible role: 5 runs passed"
