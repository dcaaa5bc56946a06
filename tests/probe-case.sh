#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The 41file Authors
# SPDX-License-Identifier: MIT
#
# Runs 41file in one situation and checks what it does, byte for byte.
#
#   probe-case.sh PROGRAM PATH CASE [FLOOR]
#
# PATH is the file that PROGRAM was built to probe; FLOOR, which
# startup-cost weighs it against, an empty main built as it is. The test
# copy's path starts with /proc/self/cwd/, which the kernel resolves in
# each process's working directory: the case sets up the file in a
# directory that it makes, by its path from there, which is no longer than
# the one that the program opens, and runs the program there, with no
# privilege and out of any other's way.
# The real path is set up in a private /home where one can be mounted
# (unshare, with a user namespace when not root); elsewhere the program
# runs on the file as it stands, which nothing here touches.
set -u

private_home=
if [ "${1-}" = --private-home ]; then
    private_home=yes
    shift
fi
[ $# = 3 ] || [ $# = 4 ] || { echo "usage: $0 PROGRAM PATH CASE [FLOOR]"; exit 2; }
program=$1 path=$2 name=$3 floor=${4-}

# A path this long cannot be opened, so no case could mean anything.
length=$(LC_ALL=C; echo ${#path})
if [ "$length" -ge 4096 ]; then
    echo "SKIP: the path is $length bytes, and none of 4096 or more can be opened"
    exit 77
fi

if [[ -z $private_home && $path == /home/?*/?* ]]; then
    if [ "$(id -u)" = 0 ]; then
        ns=(unshare --mount --propagation private)
    else
        ns=(unshare --map-root-user --mount)
    fi
    if why=$("${ns[@]}" mount -n -t tmpfs tmpfs /home 2>&1); then
        # The tmpfs hides what lies in /home, this script and PROGRAM
        # among them, so both are run from descriptors opened before.
        exec 8<"$program" 9<"$0" || exit 1
        exec "${ns[@]}" sh -c 'mount -n -t tmpfs tmpfs /home && exec "$@"' sh \
            bash /proc/self/fd/9 --private-home /proc/self/fd/8 "$path" "$name"
    fi
    echo "no private /home here: $why"
fi

# The case's own files. The directory that it may do as it likes in, or
# none where the file is not its own: for the test copy, this one, where
# it names the file by its path from here, as the program does, and not
# by /proc/self/cwd, which mkdir -p, changing directory on its way down,
# would find elsewhere.
work=$(mktemp -d ${private_home:+-p /home}) || exit 1
# A case that failed half-way may have left a directory unreadable.
trap 'chmod -R u+rwX -- "$work"; rm -rf --one-file-system -- "$work"' EXIT
file=$path scratch=
if [ "$private_home" ]; then
    scratch=/home
elif [[ $path == /proc/self/cwd/?*/?* ]]; then
    cd -- "$work" || exit 1
    scratch=$work file=${path#/proc/self/cwd/}
fi
dir=${file%/*}
out=$work/out err=$work/err

fail() {
    printf '%s: %s\n' "$name" "$*"
    for f in "$out" "$err"; do
        [ -s "$f" ] && { printf -- '--- %s:\n' "${f##*/}"; od -c "$f"; }
    done
    exit 1
}

# The program must not change the file: its size and mtime, and where it
# is the case's own, its bytes. Nor may it read it, which moves an access
# time older than the mtime; where the file is not the case's, nothing
# here may move it either.
old=1577836800
look() {
    if [ "$scratch" ]; then
        stat -L -c '%s %y' -- "$file" 2>&1
        { cksum <"$file"; } 2>&1
    else
        stat -L -c '%s %y %x' -- "$file" 2>&1
    fi
}
read_since() {
    [ "$scratch" ] && [ -e "$file" ] && [ "$(stat -L -c %X -- "$file")" != "$old" ]
}

# run [ARG...]: runs the program, its standard output into $stdout ($out
# unless a case says "closed", "broken-pipe" or names another file), under
# the command in $as if any; it must write nothing to standard error and
# leave the file be, unread.
stdout=$out as=()
run() {
    local before
    before=$(look)
    if [ "$scratch" ] && [ -e "$file" ]; then touch -a -d "@$old" -- "$file" || exit 1; fi
    : >"$out"
    status=0
    (
        case $stdout in
        closed) exec >&- ;;
        # A FIFO opened for writing while a reader held it, then left
        # without one: a pipe whose reader has gone.
        broken-pipe)
            # shellcheck disable=SC2094 # the FIFO is opened both ways on purpose
            exec 3<>"$work/pipe" >"$work/pipe" 3<&- ;;
        *) exec >"$stdout" ;;
        esac || exit 125
        exec "${as[@]}" "$program" "$@" 2>"$err" </dev/null
    ) || status=$?
    [ -s "$err" ] && fail "wrote to standard error"
    read_since && fail "read the file: its access time is now $(stat -L -c %x -- "$file")"
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
    printf 'text\n' >"$file"
    run
    expect_status 0
    rm -- "$file"
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

# The file as it stands: the answer must be that of an open for reading
# under the same credentials, which dd makes without reading a byte. A
# case that needs the other answer cannot have it here.
if [ -z "$scratch" ]; then
    echo "the program runs on $path as it stands"
    if dd if="$file" of=/dev/null count=0 2>/dev/null; then
        [ "$name" = missing-directory ] &&
            { echo "SKIP: it opens, and may not be removed"; exit 77; }
        expect_success
    else
        [ "$name" = text-file ] &&
            { echo "SKIP: it does not open, and may not be made"; exit 77; }
        expect_failure
    fi
    exit 0
fi

# The file's directory, with ".." and any symbolic link resolved, must lie
# below the scratch directory, and the file must be a plain name inside.
top=$(realpath -e -- "$scratch") && real=$(realpath -m -- "$dir") || exit 2
case ${file##*/} in
'' | . | ..) real= ;;
esac
case $real in
"$top"/?*) ;;
*) echo "refusing to touch $path: it does not lead to a file below $scratch"; exit 2 ;;
esac

# A read shows only where it moves the access time, as noatime forbids.
printf 'x\n' >"$work/canary" && touch -a -d "@$old" -- "$work/canary" &&
    cat -- "$work/canary" >/dev/null
[ "$(stat -c %X -- "$work/canary")" != "$old" ] ||
    { echo "SKIP: reads do not move access times in $work; set TMPDIR elsewhere"; exit 77; }

# env reads any argument that holds "=" as a variable to set, as a
# program's path can, so env starts the program through this.
# shellcheck disable=SC2016 # for that sh to expand
by_sh=(sh -c 'exec "$0" "$@"')

# Permission bits bind only a process without capabilities, which root,
# or a user given some in a namespace, is not until it drops them all.
# Without CAP_SETPCAP, setpriv cannot drop them, and may not say so.
unprivileged() {
    local caps='s/^CapEff:\t//p'
    if [ "$(sed -n "$caps" /proc/self/status)" != 0000000000000000 ]; then
        as=(setpriv --bounding-set -all --inh-caps -all)
        [ "$("${as[@]}" sed -n "$caps" /proc/self/status)" = 0000000000000000 ] ||
            { echo "SKIP: capabilities cannot be dropped here, so permission bits do not bind"; exit 77; }
    fi
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
    ln -s -- "${file##*/}" "$file"
    expect_failure ;;
refused-file)
    printf 'private\n' >"$file" && chmod 000 "$file"
    unprivileged expect_failure ;;
refused-directory)
    printf 'private\n' >"$file" && chmod 000 "$dir"
    unprivileged expect_failure ;;
empty-file)
    : >"$file"
    expect_success ;;
text-file)
    printf 'first line\nsecond line\n' >"$file"
    expect_success ;;
read-only-file)
    # Reading is all it asks for, so write permission must not matter.
    printf 'text\n' >"$file" && chmod 444 "$file"
    unprivileged expect_success ;;
symlink-to-file)
    printf 'target\n' >"$dir/target.txt" && ln -s target.txt "$file"
    expect_success ;;
arguments-ignored)
    args=(--help --version -x "$path" /etc/passwd '')
    printf 'text\n' >"$file"
    expect_success "${args[@]}"
    rm -- "$file"
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
    # Handed a path that leads with ".." out of the directory it makes, the
    # driver must refuse it and leave alone what lies there.
    mkdir -- "$work/inner" && printf 'keep\n' >"$work/kept.txt" || exit 1
    escape=/proc/self/cwd/../../kept.txt
    said=$(TMPDIR=$work/inner bash "$0" "$program" "$escape" text-file) && fail "ran a case at $escape"
    [[ $said == "refusing to touch $escape: "* ]] || fail "did not refuse $escape: $said"
    [ "$(cat -- "$work/kept.txt")" = keep ] || fail "$escape: $work/kept.txt changed" ;;
both-outcomes)
    # An installed or packaged copy: both answers, from one call.
    expect_failure
    printf 'text\n' >"$file"
    expect_success ;;
startup-cost)
    # Start-up must stay that of a trivial C program: within 18% of the
    # instructions of the floor, whichever way the open goes. /bin/true is
    # shown, not weighed against: it is built otherwise.
    command -v valgrind >/dev/null || { echo "SKIP: no valgrind"; exit 77; }
    [ -n "$floor" ] || { echo "startup-cost: no floor program given"; exit 2; }
    count() {
        valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" \
            2>&1 >/dev/null </dev/null | sed -n 's/^==[0-9]*== Collected : //p'
    }
    # Each run must be the one meant, or nothing is measured.
    base=$(count "$floor")
    if ! printf 'text\n' >"$file" || ! "$program" >/dev/null; then
        fail "the file could not be made for the program to open"
    fi
    opened=$(count "$program")
    if ! rm -- "$file" || "$program" >/dev/null; then
        fail "the file could not be taken away"
    fi
    missing=$(count "$program")
    echo "instructions: /bin/true $(count /bin/true), floor $base," \
        "file opened $opened, file missing $missing"
    for n in "$opened" "$missing"; do
        if [ -z "$base" ] || [ -z "$n" ] || [ $((n * 100)) -gt $((base * 118)) ]; then
            fail "start-up costs more than 18% over the floor"
        fi
    done ;;
*)
    echo "no such case: $name"
    exit 2 ;;
esac
