#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The 41file Authors
# SPDX-License-Identifier: MIT
#
# Reads the built program's ELF headers and checks one property, showing
# the lines it judged by.
#
#   elf.sh PROGRAM CHECK
set -uo pipefail
[ $# = 2 ] || { echo "usage: $0 PROGRAM CHECK"; exit 2; }
program=$1 check=$2

# lines WHAT PATTERN: the lines of readelf's WHAT (-h, -d, -l, --dyn-syms)
# that match PATTERN; fails if readelf does.
lines() {
    local all
    all=$(readelf -W "$1" -- "$program") || exit 1
    grep -E -- "$2" <<<"$all"
}

# expect WHAT PATTERN DESCRIPTION: some line must match.
expect() {
    local found
    found=$(lines "$1" "$2")
    if [ -z "$found" ]; then
        echo "$check: no $3"
        exit 1
    fi
    printf '%s\n' "$found"
}

case $check in
libc-only)
    # No C++ runtime, no libm, no unwinder: the C library, and the dynamic
    # loader only where the program takes a symbol from it, as aarch64's
    # stack protector takes its guard.
    expect -d '\(NEEDED\)' "NEEDED entry"
    loader=$(lines -l 'Requesting program interpreter: ' | sed 's,.*/\([^/]*\)\]$,\1,')
    needed=$(lines -d '\(NEEDED\)' | sed 's/.*\[\(.*\)\]$/\1/')
    grep -qx libc.so.6 <<<"$needed" || { echo "$check: does not need libc.so.6"; exit 1; }
    for lib in $needed; do
        case $lib in
        libc.so.6) ;;
        "$loader")
            expect -V "File: $loader " "symbol version from the loader $loader, which it needs" ;;
        *)
            echo "$check: needs $lib, which is neither the C library nor the loader"
            exit 1 ;;
        esac
    done ;;
large-files)
    # A 32-bit C library's plain fopen refuses a file of 2 GiB or more, as
    # qemu's user mode does not show; fopen64 opens any.
    expect --dyn-syms ' UND fopen64(@|$)' "fopen64 import"
    plain=$(lines --dyn-syms ' UND fopen(@|$)')
    [ -z "$plain" ] || { echo "$plain"; echo "$check: plain fopen is imported"; exit 1; } ;;
pie)
    expect -h '^ *Type: +DYN ' "position-independent type (DYN)" ;;
bind-now)
    # Every symbol is bound at start-up, so the GOT can be made read-only.
    expect -d '\(BIND_NOW\)|\(FLAGS\).*[ :]BIND_NOW( |$)|\(FLAGS_1\).*[ :]NOW( |$)' \
        "BIND_NOW flag" ;;
relro)
    expect -l '^ *GNU_RELRO ' "GNU_RELRO segment" ;;
stack-not-executable)
    # The flags column reads "RW " here, "RWE" for an executable stack.
    expect -l '^ *GNU_STACK ' "GNU_STACK segment"
    lines -l '^ *GNU_STACK( +0x[0-9a-f]+){5} +R?W? +0x' >/dev/null ||
        { echo "$check: the stack is executable"; exit 1; } ;;
stack-protector)
    # main holds an array, so -fstack-protector-strong guards it, and checks
    # its canary through the C library.
    expect --dyn-syms ' UND __stack_chk_fail@' "__stack_chk_fail import" ;;
fortified)
    # The C library's checking printf replaces the plain one everywhere.
    expect --dyn-syms ' UND __printf_chk@' "__printf_chk import"
    plain=$(lines --dyn-syms ' UND printf@')
    [ -z "$plain" ] || { echo "$plain"; echo "$check: plain printf is still imported"; exit 1; } ;;
*)
    echo "no such check: $check"
    exit 2 ;;
esac
