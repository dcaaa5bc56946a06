#!/usr/bin/env bash
# The program's one shared library is the C library: no C++ runtime, no
# libm, no libgcc_s.
#
#   linkage.sh PROGRAM
set -uo pipefail
needed=$(readelf -d -- "$1" | sed -n 's/.*(NEEDED).*\[\(.*\)\]$/\1/p') || exit 1
echo "NEEDED: ${needed//$'\n'/ }"
[ "$needed" = libc.so.6 ]
