#!/bin/sh
# Every option and exit code that `qx4t-vup --help` shows is described in its manual page.
# usage: check-man-page.sh QX4T-VUP MAN-PAGE
set -eu
help=$("$1" --help)
status=0
for option in $(printf '%s\n' "$help" | grep -o -- '--[a-z][a-z-]*' | sort -u); do
    escaped=$(printf '%s' "$option" | sed 's/-/\\\\-/g')
    grep -q -- "$escaped" "$2" || { echo "$2: option $option is not described"; status=1; }
done
for code in $(printf '%s\n' "$help" | sed -n '/^Exit codes:/,$p' | awk '$1 ~ /^[0-9]+$/ {print $1}'); do
    grep -qx "\\.B $code" "$2" || { echo "$2: exit code $code is not described"; status=1; }
done
exit $status
