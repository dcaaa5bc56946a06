#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The 41file Authors
# SPDX-License-Identifier: MIT
#
# Runs 41file in one situation and checks what it does, byte for byte.
#
#   probe-case.sh SCRATCH PROGRAM PATH CASE
#
# PATH is the file that PROGRAM was built to probe, inside a directory of
# SCRATCH: the build tree's tests directory for the test copy, /home for
# the program's real path. Each case runs in a private mount namespace of
# its own, with an empty tmpfs over SCRATCH: there it sets up the file's
# directory, runs PROGRAM and checks its standard output, standard error,
# exit status, and that the file was left as it was. So a case writes
# nothing to the disk, neither another run of the tests nor a mount of the
# user's can get in its way, and a kill leaves nothing behind but an empty
# directory in /tmp. Where no such namespace can be made (unshare, with a
# user namespace when not root), the case is skipped (exit 77).
set -u

if [ "${1-}" != --inside ]; then
    [ $# = 4 ] || { echo "usage: $0 SCRATCH PROGRAM PATH CASE"; exit 2; }
    scratch=$1 path=$3
    case $path in
    "$scratch"/?*/?*) ;;
    *) echo "SKIP: $path is not inside a directory of $scratch"; exit 77 ;;
    esac
    # A path this long cannot be opened, so no case could mean anything.
    # The build tree's own path, ahead of the real one, can take the copy
    # there.
    length=$(LC_ALL=C; echo ${#path})
    if [ "$length" -ge 4096 ]; then
        echo "SKIP: the path is $length bytes, and none of 4096 or more can be opened;" \
            "build in a directory with a shorter path"
        exit 77
    fi
    if [ "$(id -u)" = 0 ]; then
        ns=(unshare --mount --propagation private)
    else
        ns=(unshare --map-root-user --mount)
    fi
    if ! why=$("${ns[@]}" mount -n -t tmpfs tmpfs "$scratch" 2>&1); then
        echo "SKIP: no private $scratch can be mounted here: $why"
        exit 77
    fi
    # The tmpfs over SCRATCH hides what lies there, which may be this
    # script and PROGRAM, so they are copied first into a tmpfs of their
    # own, where the case also keeps its scratch files. It is mounted in
    # /tmp rather than in TMPDIR, which may lie in /home.
    stage=$(mktemp -d -p /tmp) || exit 1
    "${ns[@]}" sh -c 'stage=$1 driver=$2 scratch=$3 program=$4 path=$5 name=$6
        mount -n -t tmpfs tmpfs "$stage" &&
            cp -- "$driver" "$stage/probe-case.sh" && cp -- "$program" "$stage" &&
            mount -n -t tmpfs tmpfs "$scratch" && cd "$stage" &&
            TMPDIR=$stage exec bash probe-case.sh --inside \
                "$scratch" "$stage/${program##*/}" "$path" "$name"' sh "$stage" "$0" "$@"
    status=$?
    rmdir -- "$stage"
    exit $status
fi

shift
scratch=$1 program=$2 path=$3 name=$4
dir=${path%/*}

# Below SCRATCH all is the case's own, so it only ever works there: the
# file's directory, with ".." and any symbolic link resolved, must lie
# below it, and the file must be a plain name inside.
top=$(realpath -e -- "$scratch") && real=$(realpath -m -- "$dir") || exit 2
case ${path##*/} in
'' | . | ..) real= ;;
esac
case $real in
"$top"/?*) ;;
*) echo "refusing to touch $path: it does not lead to a file below $scratch"; exit 2 ;;
esac

# In the tmpfs that holds the copies, gone with the namespace.
work=$(mktemp -d) || exit 1
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

# Nor may it read the file, which would move an access time that is older
# than the mtime to now.
old=1577836800
read_since() {
    [ -e "$path" ] && [ "$(stat -L -c %X -- "$path")" != "$old" ]
}

# run [ARG...]: runs the program, its standard output into $stdout ($out
# unless a case says "closed", "broken-pipe" or names another file), under
# the command in $as if any; it must write nothing to standard error and
# leave the file be, unread.
stdout=$out as=()
run() {
    local before
    before=$(look)
    if [ -e "$path" ]; then touch -a -d "@$old" -- "$path" || exit 1; fi
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
    read_since && fail "read the file: its access time is now $(stat -L -c %x -- "$path")"
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

# The case runs as root, of its namespace at least, for whom the
# permission bits bind only once the capabilities are gone.
unprivileged() {
    as=(setpriv --bounding-set -all --inh-caps -all)
    "$@"
    as=()
}

# Each case starts from an empty directory where the file should be.
mkdir -p -- "$dir" || exit 1

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
    # Handed a path that leads up out of its scratch area with "..", the
    # driver must refuse it and leave alone what lies there.
    mkdir -- "$dir/inner" && printf 'keep\n' >"$path" || exit 1
    escape=$dir/inner/sub/../../${path##*/}
    said=$(bash "$0" "$dir/inner" "$program" "$escape" text-file) && fail "ran a case at $escape"
    [[ $said == "refusing to touch $escape: "* ]] || fail "did not refuse $escape: $said"
    [ "$(cat -- "$path")" = keep ] || fail "$escape: $path changed" ;;
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
