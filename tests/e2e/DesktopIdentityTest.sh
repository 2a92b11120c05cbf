#!/usr/bin/env bash
# The program started through a link under another name, as the command on the PATH
# (qx4t-vuptool) starts it: its windows still carry the program's own name, which the desktop
# entry names in StartupWMClass, so that a dock ties them to the menu entry. Read from the
# window system: the wizard's WM_CLASS, and the caption and WM_CLASS of the program's own
# message box (a program folder without a language library says so in one).
#   DesktopIdentityTest.sh <program folder> <source folder> <built desktop entry>
set -euo pipefail
bin=$(cd "$1" && pwd)
root=$(cd "$2" && pwd)
entry=$3
name=Qx4t_V0180_VupTool

[ -n "${DISPLAY:-}" ] || { echo "FAIL: no display: run me under tests/support/own-display.sh" >&2; exit 1; }
unset QT_QPA_PLATFORM  # the real window system, where the class can be read

work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/runtime XDG_STATE_HOME=$work/state
mkdir -m 700 "$XDG_RUNTIME_DIR"
program=""
cleanup() {
    [ -z "$program" ] || kill "$program" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

grep -qx "StartupWMClass=$name" "$entry" || fail "$entry does not name the window class $name"

# start <folder> <window title>: starts the program through a link named qx4t-vuptool in
# another folder and sets wid to the window's id once a window with that title shows.
wid=""
start() {
    local folder=$1 title=$2
    wid=""
    mkdir -p "$work/bin"
    ln -sfn "$folder/$name" "$work/bin/qx4t-vuptool"
    (cd "$work" && exec "$work/bin/qx4t-vuptool") &
    program=$!
    for _ in $(seq 150); do
        wid=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n1 || true)
        [ -n "$wid" ] && break
        kill -0 "$program" 2>/dev/null || fail "the program ended before a window titled '$title'"
        sleep 0.2
    done
    [ -n "$wid" ] || fail "no window titled '$title' within 30 s"
}
stop() {
    kill "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
    program=""
}
window_class() { xprop -id "$1" WM_CLASS | sed 's/^WM_CLASS(STRING) = //'; }
expected="\"$name\", \"$name\""

# The wizard, in English.
wizard=$work/wizard
mkdir "$wizard"
cp "$bin/$name" "$bin/libqx4t_ui.so" "$bin/Qx4t_V0180.so" "$bin/Qx4t_en.so" "$wizard/"
title=$(sed -n 's/^set(T_CAPTION "\(.*\)")$/\1/p' "$root/lang/en/texts.cmake")
start "$wizard" "$title"
class=$(window_class "$wid")
echo "wizard window '$title': WM_CLASS = $class"
[ "$class" = "$expected" ] || fail "the wizard's WM_CLASS is $class, not $expected"
stop

# The program's own message box: no language library in the folder.
bare=$work/bare
mkdir "$bare"
cp "$bin/$name" "$bin/libqx4t_ui.so" "$bin/Qx4t_V0180.so" "$bare/"
start "$bare" "$name"
class=$(window_class "$wid")
echo "message box '$(xdotool getwindowname "$wid")': WM_CLASS = $class"
[ "$class" = "$expected" ] || fail "the message box's WM_CLASS is $class, not $expected"
stop
echo "the windows carry the program's name when started as qx4t-vuptool"
