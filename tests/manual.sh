#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The 41file Authors
# SPDX-License-Identifier: MIT
#
# Checks the manual page: groff has nothing to warn about, it fits an
# 80-column terminal, and it names this build's path and version.
#
#   manual.sh PAGE PATH VERSION
set -uo pipefail
[ $# = 3 ] || { echo "usage: $0 PAGE PATH VERSION"; exit 2; }
page=$1 path=$2 version=$3
for tool in groff man; do
    command -v $tool >/dev/null || { echo "SKIP: no $tool"; exit 77; }
done
status=0
problem() {
    printf '%s\n' "$@"
    status=1
}

warnings=$(groff -man -ww -z "$page" 2>&1) || problem "groff failed"
[ -z "$warnings" ] || problem "groff -man -ww:" "$warnings"

text=$(LC_ALL=C MANWIDTH=80 man -l "$page" 2>&1) || problem "man -l failed:" "$text"
wide=$(awk 'length > 80' <<<"$text")
[ -z "$wide" ] || problem "wider than 80 columns:" "$wide"
grep -qF -- "$path" <<<"$text" || problem "the path $path is not shown whole"
[[ $(tail -n 1 <<<"$text") == "41file $version "* ]] ||
    problem "the footer does not give version $version"

exit $status
