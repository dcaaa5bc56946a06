#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The 41file Authors
# SPDX-License-Identifier: MIT
#
# Checks the manual page as man shows it in a UTF-8 terminal 80 columns
# wide: groff has nothing to warn about, no line is wider, the header
# gives section 1 and the footer this version and the date of the
# changelog's top entry; that the page is UTF-8; and that both places that
# name the path, the description and FILES, show it whole.
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

# The page is UTF-8, as Debian wants, so it shows each byte of the path
# that is not part of a UTF-8 character (RFC 3629) as \xNN.
iconv -f UTF-8 -t UTF-8 "$page" >/dev/null || problem "$page is not UTF-8"
as_text() {
    local LC_ALL=C next=$'[\x80-\xbf]' utf8 rest=$1 text='' byte
    utf8=$'[\x01-\x7f]|[\xc2-\xdf]'$next$'|\xe0[\xa0-\xbf]'$next$'|[\xe1-\xec\xee\xef]'$next$next
    utf8+=$'|\xed[\x80-\x9f]'$next$'|\xf0[\x90-\xbf]'$next$next$'|[\xf1-\xf3]'$next$next$next
    utf8+=$'|\xf4[\x80-\x8f]'$next$next
    while [ -n "$rest" ]; do
        if [[ $rest =~ ^($utf8)+ ]]; then
            text+=${BASH_REMATCH[0]}
            rest=${rest:${#BASH_REMATCH[0]}}
        else
            printf -v byte '\\x%02x' "'${rest:0:1}"
            text+=$byte
            rest=${rest:1}
        fi
    done
    printf '%s' "$text"
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
# Where lines are wide enough for it, each place shows it on one line: a
# byte shown as \xNN takes four columns.
columns=$(LC_ALL=C; echo $((${#path} * 4 + 100)))
wide=$(MANWIDTH=$columns man -l "$page" 2>/dev/null)
grep -qF -- " opens the file $shown for reading," <<<"$wide" ||
    problem "the description does not name $shown"
# A line's last blanks are not shown, as a path's may be.
grep -A 1 -x FILES <<<"$wide" | grep -qxF -- "       ${shown%"${shown##*[! ]}"}" ||
    problem "FILES does not name $shown"

exit $status
