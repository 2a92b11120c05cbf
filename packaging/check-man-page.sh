#!/usr/bin/env bash
# A manual page says what the program's --help says: the same options, and the same entries
# under "Exit codes:" and "Files:" (EXIT STATUS and FILES in the page), each in the same words.
# Words are compared, not layout: roff's fonts and line breaks do not count.
# usage: check-man-page.sh PROGRAM MAN-PAGE
set -euo pipefail
help=$("$1" --help)
page=$2
status=0
complain() {
    echo "$page: $*"
    status=1
}

options() { grep -o -- '--[a-z][a-z-]*' | sort -u; }
help_options=$(printf '%s\n' "$help" | options)
page_options=$(sed 's/\\-/-/g' "$page" | options)
while read -r option; do
    [ -n "$option" ] && complain "option $option is not in --help"
done < <(comm -13 <(printf '%s\n' "$help_options") <(printf '%s\n' "$page_options"))
while read -r option; do
    [ -n "$option" ] && complain "option $option is not described"
done < <(comm -23 <(printf '%s\n' "$help_options") <(printf '%s\n' "$page_options"))

# Prints one line per entry: "<section> <key> <words...>", words lowercased, sorted, unique.
words='
function flush() {
    if (key == "") return
    n = split(tolower(text), w, /[^a-z0-9]+/)
    delete seen
    out = ""
    for (i = 1; i <= n; i++) if (length(w[i]) >= 3 && !(w[i] in seen)) { seen[w[i]] = 1; list[++m] = w[i] }
    for (i = 2; i <= m; i++) { v = list[i]; for (j = i - 1; j > 0 && list[j] > v; j--) list[j + 1] = list[j]; list[j + 1] = v }
    for (i = 1; i <= m; i++) out = out " " list[i]
    print section, key out
    key = ""; text = ""; m = 0
}'
help_entries() {
    awk "$words"'
    /^Exit codes:$/ { flush(); section = "exit"; next }
    /^Files:$/      { flush(); section = "files"; next }
    /^$/            { flush(); section = ""; next }
    section == "exit" && /^ *[0-9]+  / { flush(); key = $1; sub(/^ *[0-9]+ +/, ""); text = $0; next }
    section == "files" && /^  [^ ]/   { flush(); key = $1; sub(/^ *[^ ]+/, ""); text = $0; next }
    section != "" { text = text " " $0 }
    END { flush() }'
}
page_entries() {
    sed -e '/^\.\\"/d' -e 's/\\-/-/g' -e 's/\\(dq/"/g' -e 's/\\f[BIRP]//g' |
        awk "$words"'
    /^\.SH / { flush(); section = $0 == ".SH EXIT STATUS" ? "exit" : $0 == ".SH FILES" ? "files" : ""; next }
    section == "" { next }
    /^\.TP/ { flush(); heading = 1; next }
    { sub(/^\.[A-Z]+ */, ""); gsub(/"/, "") }
    heading { heading = 0; key = $1; sub(/^ *[^ ]+/, ""); text = $0; next }
    { text = text " " $0 }
    END { flush() }'
}
help_list=$(printf '%s\n' "$help" | help_entries | sort)
page_list=$(page_entries <"$page" | sort)
# A section that --help does not have (qx4t-plcsim's FILES) is the page's alone.
sections=$(printf '%s\n' "$help_list" | awk 'NF { print $1 }' | sort -u)
page_list=$(printf '%s\n' "$page_list" | grep -E "^($(printf '%s\n' $sections | paste -sd'|' -)) " || true)
while read -r entry; do
    [ -n "$entry" ] || continue
    key=${entry%% *}
    key_help=$(printf '%s\n' "$help_list" | awk -v s="${key%%:*}" -v k="${key#*:}" '$1 == s && $2 == k')
    key_page=$(printf '%s\n' "$page_list" | awk -v s="${key%%:*}" -v k="${key#*:}" '$1 == s && $2 == k')
    if [ -z "$key_help" ]; then
        complain "${key%%:*} entry ${key#*:} is not in --help"
    elif [ -z "$key_page" ]; then
        complain "${key%%:*} entry ${key#*:} is not described"
    elif [ "$key_help" != "$key_page" ]; then
        only_help=$(comm -23 <(tr ' ' '\n' <<<"${key_help#* * }" | sort) <(tr ' ' '\n' <<<"${key_page#* * }" | sort) | tr '\n' ' ')
        only_page=$(comm -13 <(tr ' ' '\n' <<<"${key_help#* * }" | sort) <(tr ' ' '\n' <<<"${key_page#* * }" | sort) | tr '\n' ' ')
        complain "${key%%:*} entry ${key#*:} differs: only in --help: ${only_help:-nothing}; only in the page: ${only_page:-nothing}"
    fi
done < <({ printf '%s\n' "$help_list"; printf '%s\n' "$page_list"; } | awk 'NF { print $1 ":" $2 }' | sort -u)
exit $status
