#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The 41file Authors
# SPDX-License-Identifier: MIT
#
# Installs the project into a scratch prefix, and once more staged under
# DESTDIR, and checks what lands where: the program, which must behave as
# the built one does, its manual, where man finds it, and its copyright
# and changelog.
#
#   install.sh CMAKE BUILD_DIR CONFIG PATH BINDIR MANDIR DOCDIR
#
# PATH is the file that the program probes; BINDIR, MANDIR and DOCDIR are
# the install directories relative to the prefix.
set -u
[ $# = 7 ] || { echo "usage: $0 CMAKE BUILD_DIR CONFIG PATH BINDIR MANDIR DOCDIR"; exit 2; }
cmake=$1 build=$2 config=$3 path=$4 bindir=$5 mandir=$6 docdir=$7
command -v man >/dev/null || { echo "SKIP: no man"; exit 77; }

work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT

fail() {
    echo "install: $*"
    exit 1
}

# install_as DESTDIR PREFIX. As CPack does, it installs the one component,
# whose record is install_manifest_41file.txt: install_manifest.txt is the
# record of the user's own install, which uninstalling goes by.
install_as() {
    DESTDIR=$1 "$cmake" --install "$build" --config "$config" --prefix "$2" --component 41file \
        >"$work/log" 2>&1 || { cat "$work/log"; fail "cmake --install failed"; }
}

# same_files ROOT DIR: the files below ROOT must be exactly the program,
# its manual, copyright and changelog, in DIR.
same_files() {
    local want got
    want=$(printf '%s\n' "$2/$bindir/41file" "$2/$mandir/man1/41file.1.gz" \
        "$2/$docdir/copyright" "$2/$docdir/changelog.gz" | sort)
    got=$(cd "$1" && find . ! -type d | sort)
    [ "$got" = "$want" ] || fail "installed:"$'\n'"$got"$'\n'"expected:"$'\n'"$want"
    echo "installed: ${got//$'\n'/ }"
}

prefix=$work/prefix
install_as "" "$prefix"
same_files "$prefix" .

# With the prefix's bin in PATH, man looks in the prefix's share/man.
page=$(env -u MANPATH PATH="$prefix/$bindir:$PATH" man -w 41file 2>&1)
[ "$page" = "$prefix/$mandir/man1/41file.1.gz" ] || fail "man -w 41file found '$page'"
echo "man -w 41file: $page"

# A packager stages the install; nothing may land outside the stage.
install_as "$work/stage" /usr/local
same_files "$work/stage" ./usr/local

# The installed program must do what the built one does, run in a private
# /home as the real-path cases are.
bash "$(dirname "$0")/probe-case.sh" /home "$prefix/$bindir/41file" "$path" both-outcomes
