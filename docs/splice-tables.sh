#!/usr/bin/env bash
# splice-tables.sh GUIDE OUTPUT [NAME=FRAGMENT]...
# Copies the guide to OUTPUT with the text between each pair of markers
#   <!-- BEGIN TABLES NAME ... -->
#   <!-- END TABLES NAME -->
# replaced by the file FRAGMENT given for NAME, or by nothing when no
# fragment is given (the control is not part of this build). A fragment whose
# NAME has no section in the guide is an error: every control that ships is
# documented.
set -euo pipefail

guide=$1
output=$2
shift 2
declare -A fragments=()
for pair in "$@"; do
    fragments[${pair%%=*}]=${pair#*=}
done

begin_re='^<!-- BEGIN TABLES ([A-Za-z0-9_]+) .*-->$'
end_re='^<!-- END TABLES ([A-Za-z0-9_]+) -->$'
declare -A seen=()
inside=""
number=0
tmp=$(mktemp "$output.XXXXXX")
trap 'rm -f "$tmp"' EXIT
while IFS= read -r line || [ -n "$line" ]; do
    number=$((number + 1))
    if [[ $line =~ $begin_re ]]; then
        [ -z "$inside" ] || { echo "$guide:$number: section ${BASH_REMATCH[1]} begins inside $inside" >&2; exit 1; }
        inside=${BASH_REMATCH[1]}
        seen[$inside]=1
        printf '%s\n' "$line" >>"$tmp"
        if [ -n "${fragments[$inside]:-}" ]; then
            printf '\n' >>"$tmp"
            cat "${fragments[$inside]}" >>"$tmp"
            printf '\n' >>"$tmp"
        fi
    elif [[ $line =~ $end_re ]]; then
        [ "${BASH_REMATCH[1]}" = "$inside" ] || { echo "$guide:$number: END TABLES ${BASH_REMATCH[1]} does not close ${inside:-anything}" >&2; exit 1; }
        inside=""
        printf '%s\n' "$line" >>"$tmp"
    elif [ -z "$inside" ]; then
        printf '%s\n' "$line" >>"$tmp"
    fi
done <"$guide"
[ -z "$inside" ] || { echo "$guide: section $inside is not closed" >&2; exit 1; }
for name in "${!fragments[@]}"; do
    [ -n "${seen[$name]:-}" ] || { echo "$guide has no section for $name: add '<!-- BEGIN TABLES $name -->' ... '<!-- END TABLES $name -->'" >&2; exit 1; }
done
mv "$tmp" "$output"
trap - EXIT
