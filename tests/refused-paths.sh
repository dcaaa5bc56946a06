#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The 41file Authors
# SPDX-License-Identifier: MIT
#
# Configures the project for paths it must refuse, and checks that CMake
# stops there with a message that names FILE41_PATH, the value and why.
#
#   refused-paths.sh CMAKE SOURCE_DIR
set -u
[ $# = 2 ] || { echo "usage: $0 CMAKE SOURCE_DIR"; exit 2; }
cmake=$1 source=$2

work=$(mktemp -d) || exit 1
trap 'rm -rf --one-file-system "$work"' EXIT
status=0

# refused VALUE REASON. CMake wraps the message to its own width, so
# white space is compared as single spaces.
refused() {
    local want
    want=$(printf 'FILE41_PATH is "%s": %s' "$1" "$2" | tr -s '[:space:]' ' ')
    if "$cmake" -S "$source" -B "$work/build" -DBUILD_TESTING=OFF \
        "-DFILE41_PATH=$1" >"$work/log" 2>&1; then
        echo "configured for \"$1\""
        status=1
    elif ! tr -s '[:space:]' ' ' <"$work/log" | grep -qF -- "$want"; then
        cat "$work/log"
        echo "refused \"$1\" without saying: $want"
        status=1
    else
        echo "refused: $want"
    fi
}

refused relative/file.txt "it must be an absolute path, starting with /."
# shellcheck disable=SC2088 # a ~ that nothing expands is the point
refused "~/file.txt" "it must be an absolute path, starting with /."
refused $'/srv/a\nb.txt' "it must not hold control characters"
refused $'/srv/a\xc2\x9bb.txt' "it must not hold control characters"
refused / "it must name a file, so it must not end in /."
plain="it must name the file by a plain route, with no . or .. between its slashes and no //."
refused /home/../srv/data/file.txt "$plain"
refused /srv/. "$plain"
refused //srv/file.txt "$plain"
# 4096 bytes, the first length that cannot be opened.
long=$(printf '/%0254d' 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0)/the-4096th.byte
refused "$long" "it is ${#long} bytes, and no path of 4096 or more can be opened."
refused "/srv/$(printf '%0256d' 0)" "no name between its slashes may be longer than 255 bytes"
exit $status
