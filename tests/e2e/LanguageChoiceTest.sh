#!/usr/bin/env bash
# The language choice with the real libraries, as a user installs them: a program folder with
# QX4T_VupThi.so alone opens the wizard in Thai; one with Qx4t_ja.so and QX4T_VupDeu.so opens it
# in Japanese. Each is started from another working folder that holds the English library,
# which must not count. The window's title, the language's caption, tells the language.
#   LanguageChoiceTest.sh <program folder> <source folder>
set -euo pipefail
bin=$(cd "$1" && pwd)
root=$(cd "$2" && pwd)

[ -n "${DISPLAY:-}" ] || { echo "FAIL: no display: run me under tests/support/own-display.sh" >&2; exit 1; }
unset QT_QPA_PLATFORM  # the real window system, where the title can be read

work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
program=""
cleanup() {
    [ -z "$program" ] || kill "$program" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
# A failure names what was awaited and shows what the program said.
fail() {
    echo "FAIL: $*" >&2
    [ -s "$work/program.log" ] && sed 's/^/  program: /' "$work/program.log" >&2
    exit 1
}
caption() { sed -n 's/^set(T_CAPTION "\(.*\)")$/\1/p' "$root/lang/$1/texts.cmake"; }

mkdir "$work/elsewhere"
cp "$bin/Qx4t_en.so" "$work/elsewhere/"

# run <language folder expected> <library>...
run() {
    local expected=$1
    shift
    local folder=$work/program-$expected title wid=""
    mkdir "$folder"
    cp "$bin/Qx4t_V0180_VupTool" "$bin/libqx4t_ui.so" "$bin/Qx4t_V0180.so" "$folder/"
    for library in "$@"; do cp "$bin/$library" "$folder/"; done
    title=$(caption "$expected")
    [ -n "$title" ] || fail "no caption in lang/$expected/texts.cmake"

    (cd "$work/elsewhere" && exec "$folder/Qx4t_V0180_VupTool") >"$work/program.log" 2>&1 &
    program=$!
    for _ in $(seq 150); do
        wid=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n1 || true)
        [ -n "$wid" ] && break
        kill -0 "$program" 2>/dev/null || fail "$*: the program ended before its window titled '$title' appeared (display $DISPLAY)"
        sleep 0.2
    done
    if [ -z "$wid" ]; then
        shown=$(xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null || true)
        fail "$*: no window titled '$title' within 30 s; shown: ${shown:-nothing}"
    fi
    # Escape is Cancel on the disclaimer: the wizard and the program end.
    xdotool windowfocus --sync "$wid" key --clearmodifiers Escape
    for _ in $(seq 300); do
        kill -0 "$program" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$program" 2>/dev/null && fail "$*: the program (pid $program) did not end within 30 s of Cancel"
    local status=0
    wait "$program" || status=$?
    program=""
    [ "$status" -eq 0 ] || fail "$*: the program exited with $status"
    echo "$*: the wizard opened as '$title'"
}

run th QX4T_VupThi.so
run ja Qx4t_ja.so QX4T_VupDeu.so
