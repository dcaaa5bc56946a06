#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The 41file Authors
# SPDX-License-Identifier: MIT
#
# Runs 41file in one situation and checks what it does, byte for byte.
#
#   probe-case.sh PROGRAM PATH CASE
#   probe-case.sh --private-home PROGRAM PATH CASE
#
# PATH is the file that PROGRAM was built to probe. Each case sets up the
# file's directory afresh, runs PROGRAM and checks its standard output,
# standard error, exit status, and that the file was left as it was.
#
# --private-home runs the case in a private mount namespace with an empty
# tmpfs over /home, so that a program built for a path in /home can be run
# there without touching the machine's own /home. Where no such namespace
# can be made, the case is skipped (exit 77).
set -u

private=
[ "${1-}" = --private-home ] && { private=yes; shift; }
[ $# = 3 ] || { echo "usage: $0 [--private-home] PROGRAM PATH CASE"; exit 2; }
program=$1 path=$2 name=$3
dir=${path%/*}

if [ "$private" ]; then
    case $path in
    /home/?*/?*) ;;
    *) echo "SKIP: $path is not inside a directory of /home"; exit 77 ;;
    esac
    if [ "$(id -u)" = 0 ]; then
        ns=(unshare --mount --propagation private)
    else
        ns=(unshare --map-root-user --mount)
    fi
    if ! why=$("${ns[@]}" mount -t tmpfs tmpfs /home 2>&1); then
        echo "SKIP: no private /home can be mounted here: $why"
        exit 77
    fi
    # The case runs only once the tmpfs is in place, and from inside it.
    exec "${ns[@]}" sh -c 'mount -t tmpfs tmpfs /home && cd /home && exec bash "$@"' \
        sh "$0" "$@"
fi

# A path this long cannot be opened, so no case could mean anything. The
# build tree's own path, ahead of the real one, can take the copy there.
length=$(LC_ALL=C; echo ${#path})
if [ "$length" -ge 4096 ]; then
    echo "SKIP: the path is $length bytes, and none of 4096 or more can be opened;" \
        "build in a directory with a shorter path"
    exit 77
fi

# Cases remove and remake the file's directory, so they only ever work below
# the working directory: the build tree, or the private /home. What counts
# is where the directory really is, with symbolic links and ".." resolved,
# not how its path reads; and the file must be a plain name inside it.
scratch=$(pwd -P) && real=$(realpath -m -- "$dir") || exit 2
case ${path##*/} in
'' | . | ..) real= ;;
esac
case $real in
"$scratch"/?*) ;;
*) echo "refusing to touch $path: it does not lead to a file below $scratch"; exit 2 ;;
esac

# A case may take the permissions off the directory; give them back so
# that the next case, or whoever cleans the build tree, can remove it.
open_up() {
    if [ -d "$dir" ] && [ ! -L "$dir" ]; then chmod u+rwx -- "$dir"; fi
}

work=$(mktemp -d) || exit 1
trap 'open_up; rm -rf "$work"' EXIT
out=$work/out err=$work/err

fail() {
    printf '%s: %s\n' "$name" "$*"
    for f in "$out" "$err"; do
        [ -s "$f" ] && { printf -- '--- %s:\n' "${f##*/}"; od -c "$f"; }
    done
    exit 1
}

# What the program must not change: the file's bytes, size and mtime.
look() {
    stat -L -c '%s %y' -- "$path" 2>&1
    { cksum <"$path"; } 2>&1
}

# run [ARG...]: runs the program, its standard output into $stdout ($out
# unless a case says "closed", "broken-pipe" or names another file), under
# the command in $as if any; it must write nothing to standard error and
# leave the file be.
stdout=$out as=()
run() {
    local before
    before=$(look)
    : >"$out"
    status=0
    (
        case $stdout in
        closed) exec >&- ;;
        # A FIFO opened for writing while a reader held it, then left
        # without one: a pipe whose reader has gone.
        broken-pipe) exec 3<>"$work/pipe" >"$work/pipe" 3<&- ;;
        *) exec >"$stdout" ;;
        esac || exit 125
        exec "${as[@]}" "$program" "$@" 2>"$err" </dev/null
    ) || status=$?
    [ -s "$err" ] && fail "wrote to standard error"
    [ "$(look)" = "$before" ] || fail "changed the file: $before -> $(look)"
}

expect_status() {
    [ "$status" = "$1" ] || fail "exit status $status, expected $1"
}

expect_failure() {
    run "$@"
    printf 'Cannot open file.txt\n' | cmp -s - "$out" ||
        fail "expected exactly 'Cannot open file.txt' and a line end"
    expect_status 1
}

# Standard output cannot take the lines: they are lost, but the status is
# still the open's, and the file is still not written.
expect_lost_output() {
    printf 'text\n' >"$path"
    run
    expect_status 0
    rm -- "$path"
    run
    expect_status 1
}

expect_success() {
    run "$@"
    local first
    first=$(head -n 1 "$out")
    [[ $first =~ ^the\ value\ of\ fp:\ 0x[0-9a-f]+$ ]] ||
        fail "first line is not 'the value of fp: 0x...'"
    printf '%s\nReady to close the file \n' "$first" | cmp -s - "$out" ||
        fail "expected exactly the pointer line and 'Ready to close the file '"
    expect_status 0
}

# env reads any argument that holds "=" as a variable to set, as a
# program's path can, so env starts the program through this.
by_sh=(sh -c 'exec "$0" "$@"')

# As root the permission bits bind only once the capabilities are gone.
unprivileged() {
    if [ "$(id -u)" = 0 ]; then
        as=(setpriv --bounding-set -all --inh-caps -all)
    fi
    "$@"
    as=()
}

# Each case starts from an empty directory where the file should be.
open_up
rm -rf -- "$dir" && mkdir -p -- "$dir" || exit 1

case $name in
missing-directory)
    rmdir -- "$dir"
    expect_failure ;;
missing-file)
    expect_failure ;;
directory-is-a-file)
    rmdir -- "$dir" && printf 'not a directory\n' >"$dir"
    expect_failure ;;
symlink-loop)
    ln -s -- "${path##*/}" "$path"
    expect_failure ;;
refused-file)
    printf 'private\n' >"$path" && chmod 000 "$path"
    unprivileged expect_failure ;;
refused-directory)
    printf 'private\n' >"$path" && chmod 000 "$dir"
    unprivileged expect_failure ;;
empty-file)
    : >"$path"
    expect_success ;;
text-file)
    printf 'first line\nsecond line\n' >"$path"
    expect_success ;;
read-only-file)
    # Reading is all it asks for, so write permission must not matter.
    printf 'text\n' >"$path" && chmod 444 "$path"
    unprivileged expect_success ;;
symlink-to-file)
    printf 'target\n' >"$dir/target.txt" && ln -s target.txt "$path"
    expect_success ;;
arguments-ignored)
    args=(--help --version -x "$path" /etc/passwd '')
    printf 'text\n' >"$path"
    expect_success "${args[@]}"
    rm -- "$path"
    expect_failure "${args[@]}" ;;
stdout-closed)
    # The open may now take descriptor 1.
    stdout=closed expect_lost_output ;;
stdout-full)
    stdout=/dev/full expect_lost_output ;;
stdout-broken-pipe)
    # SIGPIPE at its default, as a shell leaves it.
    mkfifo "$work/pipe" || exit 1
    as=(env --default-signal=PIPE "${by_sh[@]}")
    stdout=broken-pipe expect_lost_output ;;
stdout-size-limit)
    # With SIGXFSZ at its default. A limit of one byte rather than none, so
    # that a write to standard error would still show.
    as=(prlimit --fsize=1 env --default-signal=XFSZ "${by_sh[@]}")
    expect_lost_output ;;
outside-scratch-refused)
    # Handed a path that leads out of the scratch area, through a symbolic
    # link or up with "..", the driver must refuse and touch nothing there.
    victim=$work/outside/sub
    mkdir -p -- "$victim" && printf 'keep\n' >"$victim/file.txt" &&
        ln -s -- "$work/outside" "$dir/link" || exit 1
    up=${dir//[!\/]/} up=${up//\//../}
    for escape in "$dir/link/sub/file.txt" "$dir/$up${victim#/}/file.txt"; do
        said=$(bash "$0" "$program" "$escape" text-file) && fail "ran a case at $escape"
        [[ $said == "refusing to touch $escape: "* ]] || fail "did not refuse $escape: $said"
        [ "$(cat -- "$victim/file.txt")" = keep ] || fail "$escape: $victim changed"
    done ;;
both-outcomes)
    # An installed or packaged copy: both answers, from one call.
    expect_failure
    printf 'text\n' >"$path"
    expect_success ;;
startup-cost)
    # Start-up must stay as cheap as a trivial C program's: within 3% of
    # the instructions that /bin/true runs, whichever way the open goes.
    command -v valgrind >/dev/null || { echo "SKIP: no valgrind"; exit 77; }
    count() {
        valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" \
            2>&1 >/dev/null </dev/null | sed -n 's/^==[0-9]*== Collected : //p'
    }
    base=$(count /bin/true)
    printf 'text\n' >"$path"
    opened=$(count "$program")
    rm -- "$path"
    missing=$(count "$program")
    echo "instructions: /bin/true $base, file opened $opened, file missing $missing"
    for n in "$opened" "$missing"; do
        [ -n "$base" ] && [ -n "$n" ] && [ $((n * 100)) -le $((base * 103)) ] ||
            fail "start-up costs more than 3% over /bin/true"
    done ;;
*)
    echo "no such case: $name"
    exit 2 ;;
esac
