#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The 41file Authors
# SPDX-License-Identifier: MIT
#
# Makes the Debian package from this build and checks it: its files, their
# modes and owner, its control fields, that a stripped install lays down
# the same bytes, and the packaged program, run from an extracted copy as
# the real-path cases run the built one.
#
#   package.sh CMAKE CPACK BUILD_DIR CONFIG VERSION PATH BINDIR MANDIR DOCDIR
#
# BINDIR, MANDIR and DOCDIR are the install directories, relative to the
# package's /usr or absolute.
set -u
[ $# = 9 ] || { echo "usage: $0 CMAKE CPACK BUILD_DIR CONFIG VERSION PATH BINDIR MANDIR DOCDIR"; exit 2; }
cmake=$1 cpack=$2 build=$3 config=$4 version=$5 path=$6
bindir=$7 mandir=$8 docdir=$9
# CPack stages the files below a directory of its own, which a ".." could
# lead out of.
for dir in "$bindir" "$mandir" "$docdir"; do
    case /$dir/ in
    */../*)
        echo "SKIP: the install directory $dir holds .., which may lead out of CPack's stage"
        exit 77 ;;
    esac
done
# CPack computes Depends with dpkg-shlibdeps, which it feeds with file.
for tool in dpkg-deb dpkg-shlibdeps file; do
    command -v $tool >/dev/null || { echo "SKIP: no $tool"; exit 77; }
done

# In the build tree, where programs may run, as TMPDIR may be mounted noexec.
work=$(mktemp -d -p "$build" package.XXXXXX) || exit 1
trap 'rm -rf --one-file-system "$work"' EXIT

fail() {
    echo "package: $*"
    exit 1
}

# The package goes to the scratch directory, not the build tree.
"$cpack" -G DEB -C "$config" --config "$build/CPackConfig.cmake" -B "$work" \
    >"$work/log" 2>&1 || { cat "$work/log"; fail "cpack failed"; }
deb=$work/41file_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no ${deb##*/} in: $(ls "$work")"

# at DIR: where the package holds the install directory DIR.
at() {
    case $1 in
    /*) echo "$1" ;;
    *) echo "/usr/$1" ;;
    esac
}
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $1, $2, $6 }' | sort)
want=$(sort <<EOF
-rw-r--r-- root/root .$(at "$docdir")/changelog.gz
-rw-r--r-- root/root .$(at "$docdir")/copyright
-rw-r--r-- root/root .$(at "$mandir")/man1/41file.1.gz
-rwxr-xr-x root/root .$(at "$bindir")/41file
EOF
)
[ "$files" = "$want" ] || fail "files:"$'\n'"$files"$'\n'"expected:"$'\n'"$want"
echo "$files"

fields=$(dpkg-deb -f "$deb" Package Version Section Depends)
echo "$fields"
[[ $fields =~ ^"Package: 41file"$'\n'"Version: $version"$'\n'"Section: utils"$'\n'"Depends: libc6 (>= "[0-9.]+")"$ ]] ||
    fail "expected Package 41file, Version $version, Section utils, Depends libc6 alone"

dpkg-deb -x "$deb" "$work/root" || fail "dpkg-deb -x failed"
DESTDIR=$work/installed "$cmake" --install "$build" --config "$config" --prefix /usr --strip \
    --component 41file >"$work/log" 2>&1 || { cat "$work/log"; fail "cmake --install --strip failed"; }
diff -r "$work/installed" "$work/root" || fail "a stripped install differs from the package"
bash "$(dirname "$0")/probe-case.sh" "$work/root$(at "$bindir")/41file" "$path" both-outcomes
