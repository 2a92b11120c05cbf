#!/usr/bin/env bash
# A whole version-up against the simulated PLC, from a fresh clone on a Debian 12 desktop:
# installs what the build needs, builds the program folder and the simulator, starts
# qx4t-plcsim, and opens the wizard on it. The simulator stops when the wizard closes.
#
#   scripts/demo.sh          the English program folder (build/default/bin)
#   scripts/demo.sh CODE     another language's (build/default/bin-CODE): ja, zh_CN, zh_TW,
#                            ko, es, it, de, fr or th, the codes of common/Languages.def
#
# Without a display it says so and runs the command-line companion's simulated update.
# QX4T_JOBS sets the build's parallel jobs (default: every core), QX4T_DEMO_BUILD the build
# folder (default: build/default, the default preset's). QX4T_DEMO_NO_BUILD=1 takes the build
# folder as it is: nothing is installed or built (tests, which must not change the folder that
# other tests run from).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
lang=${1:-en}
build=${QX4T_DEMO_BUILD:-$root/build/default}
jobs=${QX4T_JOBS:-$(nproc)}

# A language is a row of the language table (the build makes a program folder for each).
codes=$(sed -n 's/^QX4T_LANGUAGE("\([A-Za-z_]*\)".*/\1/p' "$root/common/Languages.def" | tr '\n' ' ')
case " $codes" in
    *" $lang "*) ;;
    *) echo "usage: $0 [$(echo $codes | tr ' ' '|')]" >&2; exit 2 ;;
esac
if [ "$lang" = en ]; then
    folder="$build/bin"; folder_target="Qx4t_en"
else
    folder="$build/bin-$lang"; folder_target="qx4t_program_folder_$lang"
fi

cd "$root"
if [ "${QX4T_DEMO_NO_BUILD:-}" = 1 ]; then
    for program in "$folder/Qx4t_V0180_VupTool" "$build/bin/qx4t-plcsim" "$build/bin/qx4t-vup"; do
        [ -x "$program" ] || { echo "$program is not built (QX4T_DEMO_NO_BUILD=1)" >&2; exit 1; }
    done
else
    # Packages: the same list CI installs, read the same way; only what is missing is asked for.
    bash "$root/scripts/install-packages.sh"
    [ -f "$build/build.ninja" ] ||
        cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    targets=(Qx4t_V0180_VupTool Qx4t_V0180 "$folder_target" qx4t-plcsim qx4t-vup)
    cmake --build "$build" -j "$jobs" --target "${targets[@]}"
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): the wizard cannot open."
    echo "Running the command-line companion against a simulated PLC instead:"
    args=(update --simulate)
    # Nobody to answer its confirmation when the input is not a terminal.
    [ -t 0 ] || args+=(--yes)
    echo "  $build/bin/qx4t-vup ${args[*]}"
    exec "$build/bin/qx4t-vup" "${args[@]}"
fi

# The simulator prints its port on its first line, then serves until it is told to stop.
portfile=$(mktemp)
"$build/bin/qx4t-plcsim" --restart-time 3000 > "$portfile" &
sim=$!
cleanup() {
    kill "$sim" 2>/dev/null || true
    wait "$sim" 2>/dev/null || true
    rm -f "$portfile"
}
trap cleanup EXIT INT TERM
for _ in $(seq 100); do
    [ -s "$portfile" ] && break
    kill -0 "$sim" 2>/dev/null || { echo "qx4t-plcsim did not start" >&2; exit 1; }
    sleep 0.1
done
[ -s "$portfile" ] || { echo "qx4t-plcsim did not report its port" >&2; exit 1; }
echo "Simulated PLC on /dev/$(head -n1 "$portfile"); opening the wizard ($lang)."
"$folder/Qx4t_V0180_VupTool"
