#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The 41file Authors
# SPDX-License-Identifier: MIT
#
# Checks the manual page as man shows it in a UTF-8 terminal 80 columns
# wide: groff has nothing to warn about, no line is wider, the header
# gives section 1 and the footer this version and the date of the
# changelog's top entry; and that both places that name the path, the
# description and FILES, show it whole.
#
#   manual.sh PAGE PATH VERSION CHANGELOG
set -uo pipefail
[ $# = 4 ] || { echo "usage: $0 PAGE PATH VERSION CHANGELOG"; exit 2; }
page=$1 path=$2 version=$3 changelog=$4
for tool in groff man dpkg-parsechangelog; do
    command -v $tool >/dev/null || { echo "SKIP: no $tool"; exit 77; }
done
export LC_ALL=C.UTF-8 MANWIDTH=80
status=0
problem() {
    printf '%s\n' "$@"
    status=1
}

# as_text PATH: PATH as the page must show it, in UTF-8: each byte that is
# not part of a UTF-8 character as \xNN.
as_text() {
    local LC_ALL=C out= i=0 n k lo hi hex
    local -a b
    read -r -a b < <(printf %s "$1" | od -An -v -tu1 | tr '\n' ' ')
    while [ $i -lt ${#b[@]} ]; do
        # n: how many bytes must follow the first; lo and hi: the second's range.
        n=-1 lo=128 hi=191
        ((b[i] < 128)) && n=0
        ((b[i] >= 194 && b[i] <= 223)) && n=1
        ((b[i] >= 224 && b[i] <= 239)) && n=2
        ((b[i] >= 240 && b[i] <= 244)) && n=3
        ((b[i] == 224)) && lo=160
        ((b[i] == 237)) && hi=159
        ((b[i] == 240)) && lo=144
        ((b[i] == 244)) && hi=143
        for ((k = 1; k <= n; k++)); do
            ((${b[i + k]:-0} >= lo && ${b[i + k]:-0} <= hi)) || n=-1
            lo=128 hi=191
        done
        if ((n < 0)); then
            printf -v hex '\\x%02x' "${b[i]}"
            out+=$hex
            ((i += 1))
        else
            out+=${1:i:n+1}
            ((i += n + 1))
        fi
    done
    printf '%s' "$out"
}
shown=$(as_text "$path")

warnings=$(man --warnings=all -l "$page" 2>&1 >/dev/null) || problem "man -l failed:" "$warnings"
[ -z "$warnings" ] || problem "groff warns:" "$warnings"

text=$(man -l "$page" 2>/dev/null)
while IFS= read -r line; do
    [ "$(wc -L <<<"$line")" -le 80 ] || problem "wider than 80 columns: $line"
done <<<"$text"
[[ $(head -n 1 <<<"$text") =~ ^"41FILE(1)"\ +"General Commands Manual"\ +"41FILE(1)"$ ]] ||
    problem "the header does not give section 1: $(head -n 1 <<<"$text")"
read -r _ day month year _ < <(dpkg-parsechangelog -l "$changelog" -SDate)
date=$(date -d "$day $month $year" +%F)
[[ $(tail -n 1 <<<"$text") =~ ^"41file $version"\ +"$date"\ +"41FILE(1)"$ ]] ||
    problem "the footer does not give version $version and date $date: $(tail -n 1 <<<"$text")"

# The path may be broken after a / or inside a long name, nowhere else.
sed -z 's/\n *//g' <<<"$text" | grep -qF -- "$shown" ||
    problem "the path $shown is broken where it may not be"
# Where lines are wide enough for it, each place shows it on one line.
wide=$(MANWIDTH=4000 man -l "$page" 2>/dev/null)
grep -qF -- " opens the file $shown for reading," <<<"$wide" ||
    problem "the description does not name $shown"
grep -A 1 -x FILES <<<"$wide" | grep -qxF -- "       $shown" ||
    problem "FILES does not name $shown"

exit $status
