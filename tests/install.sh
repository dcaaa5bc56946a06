#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The 41file Authors
# SPDX-License-Identifier: MIT
#
# Installs the project into a scratch prefix, and once more staged under
# DESTDIR, and checks what lands where: the program, which must behave as
# the built one does, its manual, where man finds it, and its copyright
# and changelog. Nothing may land outside the scratch directory, whatever
# the install directories are.
#
#   install.sh CMAKE BUILD_DIR CONFIG PATH BINDIR MANDIR DOCDIR LICENSE
#   install.sh --absolute-dirs CMAKE SOURCE_DIR BUILD_DIR PATH
#
# PATH is the file that the program probes; BINDIR, MANDIR and DOCDIR are
# the install directories, relative to the prefix or absolute; LICENSE is
# the project's, which the copyright file must give. The second form
# builds the project in a scratch directory as a user would, without a
# build type, which must then be Release, but with absolute install
# directories, where files are already; and checks the first form there.
# The scratch directory lies in BUILD_DIR, where programs may run, as
# TMPDIR may be mounted noexec.
set -u

fail() {
    echo "install: $*"
    exit 1
}

scratch() {
    work=$(mktemp -d -p "$1" install.XXXXXX) && work=$(realpath -- "$work") || exit 1
    trap 'rm -rf --one-file-system "$work"' EXIT
}

if [ "${1-}" = --absolute-dirs ]; then
    [ $# = 5 ] || { echo "usage: $0 --absolute-dirs CMAKE SOURCE_DIR BUILD_DIR PATH"; exit 2; }
    cmake=$2 source=$3 path=$5
    scratch "$4"
    outside=$work/outside
    if ! "$cmake" -S "$source" -B "$work/build" -DBUILD_TESTING=OFF "-DFILE41_PATH=$path" \
        "-DCMAKE_INSTALL_BINDIR=$outside/bin" "-DCMAKE_INSTALL_MANDIR=$outside/man" \
        "-DCMAKE_INSTALL_DOCDIR=$outside/doc" >"$work/log" 2>&1 ||
        ! "$cmake" --build "$work/build" --config Release >>"$work/log" 2>&1; then
        cat "$work/log"
        fail "the build with absolute install directories failed"
    fi
    # Built as a user builds it, with no build type, which must then be
    # Release (where the generator has but one configuration).
    cache=$work/build/CMakeCache.txt
    grep -q '^CMAKE_CONFIGURATION_TYPES:' "$cache" ||
        grep -qx 'CMAKE_BUILD_TYPE:STRING=Release' "$cache" ||
        fail "without a build type, the build is not Release: $(grep '^CMAKE_BUILD_TYPE:' "$cache")"
    mkdir -p "$outside/bin" "$outside/man/man1" "$outside/doc" || exit 1
    kept=(bin/41file man/man1/41file.1.gz doc/copyright doc/changelog.gz)
    for file in "${kept[@]}"; do
        echo "already here" >"$outside/$file" || exit 1
    done
    bash "$0" "$cmake" "$work/build" Release "$path" "$outside/bin" "$outside/man" "$outside/doc" \
        "$source/LICENSE"
    status=$?
    for file in "${kept[@]}"; do
        [ "$(cat -- "$outside/$file")" = "already here" ] || fail "$outside/$file was replaced"
    done
    echo "left as they were: ${kept[*]/#/$outside/}"
    case $status in
    0 | 77) exit $status ;;
    *) fail "the install case failed with install directories in $outside" ;;
    esac
fi

[ $# = 8 ] || { echo "usage: $0 CMAKE BUILD_DIR CONFIG PATH BINDIR MANDIR DOCDIR LICENSE"; exit 2; }
cmake=$1 build=$2 config=$3 path=$4 dirs=("$5" "$6/man1" "$7") license=$8
scratch "$build"
command -v man >/dev/null || { echo "SKIP: no man"; exit 77; }

# places ROOT PREFIX: sets "at" to where an install below PREFIX, staged
# under ROOT if it is not empty, puts each install directory (an absolute
# one ignores PREFIX), and "top" to ROOT, or PREFIX if ROOT is empty. It
# fails, and sets "why", if one of them would lie outside top.
places() {
    local dir
    top=${1:-$2} at=()
    for dir in "${dirs[@]}"; do
        case $dir in
        /*) at+=("$(realpath -m -- "$1$dir")") ;;
        *) at+=("$(realpath -m -- "$1$2/$dir")") ;;
        esac
        case ${at[-1]} in
        "$top"/?*) ;;
        *) why="${at[-1]} lies outside $top"; return 1 ;;
        esac
    done
}

# install_as ROOT PREFIX, once places has said where: installs, and checks
# that exactly the program, its manual, copyright and changelog land below
# top, in their directories. As CPack does, it installs the one component,
# whose record is install_manifest_41file.txt: install_manifest.txt is the
# record of the user's own install, which uninstalling goes by.
install_as() {
    local want got
    DESTDIR=$1 "$cmake" --install "$build" --config "$config" --prefix "$2" --component 41file \
        >"$work/log" 2>&1 || { cat "$work/log"; fail "cmake --install failed"; }
    want=$(printf '%s\n' "${at[0]}/41file" "${at[1]}/41file.1.gz" \
        "${at[2]}/copyright" "${at[2]}/changelog.gz" | sort)
    got=$(find "$top" ! -type d | sort)
    [ "$got" = "$want" ] || fail "installed:"$'\n'"$got"$'\n'"expected:"$'\n'"$want"
    echo "installed: ${got//$'\n'/ }"
}

# The plain install, as a user makes it, where the prefix holds every
# install directory.
if places "" "$work/prefix"; then
    install_as "" "$work/prefix"
    # With the prefix's bin in PATH, man looks in the prefix's share/man.
    page=$(env -u MANPATH PATH="${at[0]}:$PATH" man -w 41file 2>&1)
    [ "$page" = "${at[1]}/41file.1.gz" ] || fail "man -w 41file found '$page'"
    echo "man -w 41file: $page"
else
    echo "not installed with --prefix alone: $why"
fi

# A packager stages the install; nothing may land outside the stage.
places "$work/stage" /usr/local ||
    { echo "SKIP: not installed under DESTDIR either: $why"; exit 77; }
install_as "$work/stage" /usr/local

# The copyright file gives LICENSE's holder and terms, in Debian's format:
# the terms set one space in, with " ." for each blank line.
copyright=${at[2]}/copyright
holder=$(sed -n 's/^Copyright (c) //p' "$license")
grep -qxF "Copyright: $holder" "$copyright" || fail "$copyright does not give Copyright: $holder"
diff <(sed -n '/^Copyright (c) /,$p' "$license" | tail -n +3 | sed 's/^$/./; s/^/ /') \
    <(sed -n '/^License: MIT$/,$p' "$copyright" | tail -n +2) ||
    fail "$copyright does not give the terms of $license"

# The installed program must do what the built one does, run as the
# real-path cases run the built one.
bash "$(dirname "$0")/probe-case.sh" "${at[0]}/41file" "$path" both-outcomes
