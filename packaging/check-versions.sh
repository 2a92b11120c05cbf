#!/bin/sh
# The release version is the same wherever it shows: qx4t-vup --version, the first line of
# qx4t-plcsim --help, and the ELF note of the program and every shared object given.
# usage: check-versions.sh VERSION QX4T-VUP QX4T-PLCSIM [ELF-FILE...]
set -eu
version=$1 vup=$2 plcsim=$3
shift 3
status=0
"$vup" --version | grep -qw -- "$version" || { echo "qx4t-vup --version: not $version"; status=1; }
first=$("$plcsim" --help | head -n 1)
[ "$first" = "qx4t-plcsim $version" ] || { echo "qx4t-plcsim --help begins '$first'"; status=1; }
for file in "$@"; do
    # The note: owner QX4T, type 1, the version as its text.
    note=$(readelf -p .note.qx4t.version "$file" 2>/dev/null | tr -d '\n' || true)
    case $note in
        *"$version"*) ;;
        *) echo "$file: no version note saying $version"; status=1 ;;
    esac
done
exit $status
