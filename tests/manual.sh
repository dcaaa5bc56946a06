#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The 41file Authors
# SPDX-License-Identifier: MIT
#
# Checks the manual page as man shows it in a UTF-8 terminal 80 columns
# wide: groff has nothing to warn about, no line is wider, and the page
# names this build's path and version.
#
#   manual.sh PAGE PATH VERSION
set -uo pipefail
[ $# = 3 ] || { echo "usage: $0 PAGE PATH VERSION"; exit 2; }
page=$1 path=$2 version=$3
for tool in groff man; do
    command -v $tool >/dev/null || { echo "SKIP: no $tool"; exit 77; }
done
export LC_ALL=C.UTF-8 MANWIDTH=80
status=0
problem() {
    printf '%s\n' "$@"
    status=1
}

warnings=$(man --warnings=all -l "$page" 2>&1 >/dev/null) || problem "man -l failed:" "$warnings"
[ -z "$warnings" ] || problem "groff warns:" "$warnings"

text=$(man -l "$page" 2>/dev/null)
while IFS= read -r line; do
    [ ${#line} -le 80 ] || problem "wider than 80 columns: $line"
done <<<"$text"

# The path may be broken after a / or inside a long name, and man shows
# each byte that is not UTF-8 as U+FFFD; compare them without those.
shown=$(iconv -c -f UTF-8 -t UTF-8 <<<"$path")
sed -z 's/\n *//g; s/\xef\xbf\xbd//g' <<<"$text" | grep -qF -- "$shown" ||
    problem "the path $shown is not shown whole"
[[ $(tail -n 1 <<<"$text") == "41file $version "* ]] ||
    problem "the footer does not give version $version"

exit $status
