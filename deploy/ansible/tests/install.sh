#!/usr/bin/env bash
# The role's first run on a line PC without qx4t-vup: it installs qx4t-udev and qx4t-vup from
# the built .deb files (the udev package found beside the other by its name), checks the
# installed qx4t-vup against the pinned target and reads a simulated PLC; a second run changes
# nothing. The packages are purged afterwards. It installs packages, so it runs only as root
# on a machine made for the test, which .ci/run says with QX4T_FRESH_MACHINE=1; else it says
# so and passes.
#   deploy/ansible/tests/install.sh PACKAGES [BIN]   PACKAGES: the .deb files; BIN: qx4t-plcsim
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
if [ "$(id -u)" -ne 0 ] || [ "${QX4T_FRESH_MACHINE:-}" != 1 ]; then
    echo "ansible role install path: skipped (it installs packages: needs root on a fresh" \
        "machine, QX4T_FRESH_MACHINE=1, as .ci/run gives)"
    exit 0
fi
packages="$(cd "${1:?usage: install.sh PACKAGES [BIN]}" && pwd)"
bin="$(cd "${2:-$here/../../../build/default/bin}" && pwd)"
export LC_ALL=C.UTF-8 DEBIAN_FRONTEND=noninteractive
for p in qx4t-udev qx4t-vup; do
    if dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null | grep -qx installed; then
        echo "$p is installed already: this test needs a machine without it" >&2
        exit 1
    fi
done
debs=("$packages"/qx4t-vup_*.deb)
[ "${#debs[@]}" -eq 1 ] && [ -f "${debs[0]}" ] || { echo "no single qx4t-vup .deb in $packages" >&2; exit 1; }

work="$(mktemp -d)"
sim=""
cleanup() {
    [ -z "$sim" ] || { kill "$sim" 2>/dev/null; wait "$sim" 2>/dev/null; } || true
    apt-get purge -y -qq qx4t-vup qx4t-udev >/dev/null 2>&1 || true
    rm -rf "$work" /var/cache/qx4t-vup
}
trap cleanup EXIT
trap "exit 130" INT TERM

mkdir -m 0700 "$work/run"
XDG_RUNTIME_DIR="$work/run" "$bin/qx4t-plcsim" --version 0180 >"$work/sim" 2>&1 &
sim=$!
for _ in $(seq 100); do
    [ -s "$work/sim" ] && break
    sleep 0.05
done
port=$(head -n 1 "$work/sim")
[ -n "$port" ] || { echo "qx4t-plcsim did not start: $(cat "$work/sim")" >&2; exit 1; }

# Root already, and a fresh machine has no sudo: the role's `become` is switched off.
cat >"$work/inventory.yml" <<EOF
qx4t_line_pcs:
  hosts:
    linepc:
      ansible_connection: local
      ansible_python_interpreter: /usr/bin/python3
      ansible_become: false
      qx4t_vup_deb: ${debs[0]}
      qx4t_vup_target_version: "01.80"
      qx4t_vup_ports: [$port]
      qx4t_vup_environment: {XDG_RUNTIME_DIR: $work/run}
EOF
: >"$work/ansible.cfg"
export ANSIBLE_CONFIG="$work/ansible.cfg" ANSIBLE_HOME="$work/ansible" \
    ANSIBLE_LOCAL_TEMP="$work/ansible/tmp" ANSIBLE_ASYNC_DIR="$work/ansible/async" \
    ANSIBLE_NOCOLOR=1 ANSIBLE_RETRY_FILES_ENABLED=0

for run in first again; do
    echo "== ansible-playbook ($run run)"
    ansible-playbook -i "$work/inventory.yml" "$here/../qx4t-vup.yml" \
        -e qx4t_vup_report_dir="$work/$run" >"$work/$run.log" 2>&1 ||
        { cat "$work/$run.log"; echo "the $run run failed" >&2; exit 1; }
    sed -n '/PLAY RECAP/,$p' "$work/$run.log"
done
grep -q "linepc .*changed=0 .*failed=0" "$work/again.log" ||
    { cat "$work/again.log"; echo "the second run changed something" >&2; exit 1; }
for p in qx4t-udev qx4t-vup; do
    dpkg-query -W -f='${db:Status-Status}' "$p" | grep -qx installed || { echo "$p not installed" >&2; exit 1; }
done
python3 - "$work/again/report.json" "$port" <<'EOF'
import json, sys
report = json.load(open(sys.argv[1]))
rows = report["plcs"]
if [(r["port"], r["result"], r["version_after"]) for r in rows] != [(sys.argv[2], "ok", "1.80")]:
    sys.exit("unexpected report rows: %s" % rows)
EOF
echo "ansible role install path: passed"
