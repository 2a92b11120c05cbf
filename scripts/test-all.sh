#!/usr/bin/env bash
# Builds and runs every test in the normal and the ASan+UBSan build, checks the formatting,
# drives the Ansible role against simulated PLCs (normal build only), cross-builds the Qt-free
# half for Windows and runs its tests under Wine, and runs each fuzz
# target for a short, bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
FUZZ_SECONDS="${QX4T_FUZZ_SECONDS:-20}"
JOBS="${QX4T_JOBS:-$(nproc)}"

echo "== format check"
git ls-files '*.cpp' '*.h' | xargs -r clang-format --dry-run --Werror

for preset in default asan; do
    echo "== $preset build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$JOBS"
    echo "== $preset tests"
    ctest --preset "$preset" -j "$JOBS"
    if [ "$preset" = default ]; then
        echo "== ansible role against simulated PLCs"
        command -v ansible-playbook >/dev/null ||
            { echo "ansible-playbook not found: install ansible-core (.ci/packages.txt)" >&2; exit 1; }
        deploy/ansible/tests/run.sh build/default/bin
        echo "== packages"
        bash scripts/build-packages.sh
        echo "== ansible role: installing the packages"
        deploy/ansible/tests/install.sh build/default/packages build/default/bin
    fi
done

# Once, and not under ASan: the Windows build of qx4t-vup and the link, tested through Wine.
# Its COM-port tests use the normal build's qx4t-plcsim.
echo "== windows cross build"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$JOBS"
echo "== windows tests (Wine)"
ctest --preset windows -j "$JOBS"

echo "== fuzz targets (${FUZZ_SECONDS}s each)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$JOBS"
for target in build/fuzz/bin/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus="build/fuzz/corpus/$name"
    mkdir -p "$corpus"
    cp -n fuzz/corpus/"${name#fuzz_}"/* "$corpus"/ 2>/dev/null || true
    echo "-- $name"
    "$target" -max_total_time="$FUZZ_SECONDS" -timeout=10 -rss_limit_mb=2048 "$corpus" 2>&1 | tail -n 3
done
echo "== all green"
