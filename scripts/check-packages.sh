#!/usr/bin/env bash
# Checks the Debian packages as a user gets them, on a fresh Debian 12 root (run as root):
# installs them with apt-get, runs `qx4t-vup update --simulate --yes` as an ordinary user,
# starts the wizard from its command on the PATH under Xvfb from the user's home folder until
# its first page shows, switches to the Japanese package and sees the wizard in Japanese, reads
# `man qx4t-vup`, then purges the packages and finds none of the files they had installed.
#   scripts/check-packages.sh FOLDER-WITH-DEBS
# For example, from a worktree with built packages:
#   FRESH_FILES="$(echo build/default/packages/*.deb)" ../../shared/tools/fresh-debian \
#       bash scripts/check-packages.sh /root/in
set -euo pipefail
in=$(cd "${1:?usage: check-packages.sh FOLDER-WITH-DEBS}" && pwd)
export DEBIAN_FRONTEND=noninteractive
user=technician
# The first page's title (the frame's caption) in English and in Japanese.
title_en="QX4T Version-up Tool"
title_ja="QX4T バージョンアップツール"
# Named time-outs: the wizard's window on a loaded machine, the simulated version-up's own waits.
window_seconds=60
simulate_seconds=180

step() { echo "== $*"; }
installed() { [ "$(dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null)" = installed ]; }
fail() {
    echo "check-packages: $*" >&2
    exit 1
}

step "installing the packages"
apt-get update -qq
# Tools of this check, not of the packages: a display, a window finder, the man reader.
apt-get install -y -qq --no-install-recommends xvfb xauth xdotool man-db >/dev/null
apt-get install -y -qq --no-install-recommends "$in"/qx4t-udev_*.deb "$in"/qx4t-vup_*.deb \
    "$in"/qx4t-plcsim_*.deb "$in"/qx4t-vuptool_*.deb "$in"/qx4t-vuptool-en_*.deb >/dev/null
packages=(qx4t-udev qx4t-vup qx4t-plcsim qx4t-vuptool qx4t-vuptool-en)
id "$user" >/dev/null 2>&1 || useradd --create-home --shell /bin/bash "$user"
home=$(getent passwd "$user" | cut -d: -f6)
as_user() { runuser -u "$user" -- env HOME="$home" LANG=C.UTF-8 "$@"; }

step "the manual: under /usr/share, linked from the program folder"
manuals=(/usr/lib/qx4t-vuptool/*.pdf)
[ -L "${manuals[0]}" ] || fail "the program folder has no link to the manual"
for link in "${manuals[@]}"; do
    target=$(readlink -e "$link") || fail "$link leads nowhere"
    [[ "$target" == /usr/share/qx4t-vuptool/* ]] || fail "$link leads to $target"
done

step "the folder of notes: one for every account, sticky as /tmp"
[ "$(stat -c '%a %U' /var/lib/qx4t-vuptool/notes)" = "1777 root" ] ||
    fail "/var/lib/qx4t-vuptool/notes is not a sticky folder of root's open to every account"

step "qx4t-vup update --simulate --yes"
as_user timeout "$simulate_seconds" qx4t-vup update --simulate --yes ||
    fail "qx4t-vup update --simulate --yes failed"
as_user qx4t-vup --version
ls "$home/.local/state/qx4t/"*.log >/dev/null 2>&1 || fail "qx4t-vup wrote no run log"
[ "$(as_user qx4t-plcsim --help | head -n 1)" = "qx4t-plcsim 1.8.0.0" ] ||
    fail "qx4t-plcsim --help does not begin with its version"

# Starts the wizard from the user's home folder, as a desktop menu does, on a display of its
# own, waits for a window with the given title, and ends the wizard.
probe=$(mktemp /tmp/wizard-shows.XXXXXX)
cat >"$probe" <<'PROBE'
#!/bin/bash
title=$1 seconds=$2
qx4t-vuptool &
wizard=$!
for ((i = 0; i < seconds; i++)); do
    if xdotool search --name "$title" >/dev/null 2>&1; then
        kill "$wizard"
        wait "$wizard" 2>/dev/null
        exit 0
    fi
    kill -0 "$wizard" 2>/dev/null || exit 2
    sleep 1
done
kill "$wizard"
exit 1
PROBE
chmod 0755 "$probe"
# The tests' own display starter, where the user can run it: a display no other run can take.
display=$(mktemp /tmp/own-display.XXXXXX)
cp "$(dirname "$0")/../tests/support/own-display.sh" "$display"
chmod 0755 "$display"
wizard_shows() {
    as_user bash -c 'cd ~ && exec "$0" "$1" "$2" "$3"' "$display" "$probe" "$1" "$window_seconds"
}

step "the wizard from its command, in English"
wizard_shows "$title_en" || fail "the wizard showed no window titled '$title_en'"

ls "$home/.local/state/qx4t/"*-wizard-*.log >/dev/null 2>&1 || fail "the wizard wrote no run log"
grep -q "outcome: the wizard closed on page" "$home/.local/state/qx4t/"*-wizard-*.log ||
    fail "the wizard's run log has no outcome"

step "switching to the Japanese package"
apt-get install -y -qq --no-install-recommends "$in"/qx4t-vuptool-ja_*.deb >/dev/null
installed qx4t-vuptool-en && fail "qx4t-vuptool-en is still installed beside qx4t-vuptool-ja"
installed qx4t-vuptool || fail "switching the language removed the wizard"
packages+=(qx4t-vuptool-ja)
wizard_shows "$title_ja" || fail "the wizard showed no window titled '$title_ja'"

step "man qx4t-vup"
page=$(MANPAGER=cat MANWIDTH=100 man qx4t-vup 2>/dev/null) || fail "man qx4t-vup found nothing"
for word in --simulate --allow-mode-change --log 130 "EXIT STATUS"; do
    grep -q -- "$word" <<<"$page" || fail "man qx4t-vup does not mention $word"
done

step "purging"
listed=$(mktemp)
for p in "${packages[@]}"; do
    installed "$p" && dpkg -L "$p" >>"$listed"
done
apt-get purge -y -qq qx4t-vuptool qx4t-vuptool-ja qx4t-vup qx4t-plcsim qx4t-udev >/dev/null
left=0
while IFS= read -r path; do
    # Folders shared with the system (/usr, /usr/bin, ...) stay; every file must go.
    if [ -L "$path" ] || { [ -e "$path" ] && [ ! -d "$path" ]; }; then
        echo "left behind: $path" >&2
        left=1
    fi
done <"$listed"
for folder in /usr/lib/qx4t-vuptool /usr/share/qx4t-vuptool /var/lib/qx4t-vuptool; do
    [ -d "$folder" ] && { echo "left behind: $folder/" >&2; left=1; }
done
[ "$left" -eq 0 ] || fail "files were left after the purge"
echo "== packages checked"
