#!/usr/bin/env bash
# Runs a Windows program under Wine in the given prefix, making the prefix on first use:
#   run.sh PREFIX PROGRAM.exe [ARGS...]
# Headless: console programs need no display, and the Mono and Gecko installers that wineboot
# would offer are turned off. Used as the cross build's CMAKE_CROSSCOMPILING_EMULATOR.
set -euo pipefail
prefix="$1"
shift
export WINEPREFIX="$prefix" WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

if [ ! -e "$prefix/.qx4t-ready" ]; then
    mkdir -p "$(dirname "$prefix")"
    # Parallel test discovery may get here several times at once: one of them makes it.
    exec 9>"$prefix.lock"
    flock 9
    if [ ! -e "$prefix/.qx4t-ready" ]; then
        wineboot -i >/dev/null 2>&1
        wineserver -w
        touch "$prefix/.qx4t-ready"
    fi
    exec 9>&-
fi
exec wine "$@"
