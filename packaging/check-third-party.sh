#!/usr/bin/env bash
# Every font that an operating manual embeds is listed in debian/copyright, with its licence
# ("Embedded font subsets: ..."). The fonts come from whatever fontconfig offers on the build
# machine, so a new fallback font shows up here, not in a reviewer's hands.
# usage: check-third-party.sh COPYRIGHT PDF...
set -euo pipefail
copyright=$1
shift
# Names as the PDF spells them: "DejaVu Sans Mono" is /DejaVuSansMono, "Noto Sans CJK JP" is
# /NotoSansCJKjp; compared without spaces and case.
listed=$(sed -n '/Embedded font subsets:/,/(Debian package/p' "$copyright" |
    sed -e 's/.*Embedded font subsets://' -e 's/(Debian package.*//' |
    tr ',' '\n' | tr -d ' \t' | tr '[:upper:]' '[:lower:]' | sed '/^$/d' | sort -u)
[ -n "$listed" ] || { echo "$copyright lists no embedded fonts"; exit 1; }
status=0
for pdf in "$@"; do
    # A font dictionary's /BaseFont: an optional subset tag (ABCDEF+), the family, a style.
    fonts=$(grep -a -o '/BaseFont */[A-Za-z0-9+_-]*' "$pdf" | sed -e 's|.*/||' -e 's/^[A-Z]*+//' \
        -e 's/-[A-Za-z]*$//' | tr '[:upper:]' '[:lower:]' | sort -u)
    [ -n "$fonts" ] || { echo "$pdf: no fonts found"; status=1; }
    for font in $fonts; do
        grep -qx "$font" <<<"$listed" || { echo "$pdf: the font $font is not in $copyright"; status=1; }
    done
done
exit $status
