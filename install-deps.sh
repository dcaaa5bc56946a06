#!/bin/sh
# SPDX-FileCopyrightText: 2026 The 41file Authors
# SPDX-License-Identifier: MIT
#
# Installs the Debian packages that 41file needs and this system lacks:
# "build" for building it, "test" for its tests and package as well, "ci"
# for everything CI runs. Nothing is installed when all is there.
#
#   ./install-deps.sh build|test|ci
set -eu

# command:package; each set also needs the sets above it.
build='cmake:cmake make:make g++:g++ gzip:gzip'
test='readelf:binutils valgrind:valgrind groff:groff-base man:man-db
    dpkg-shlibdeps:dpkg-dev file:file mount:mount unshare:util-linux
    setpriv:util-linux prlimit:util-linux'
ci='git:git clang++:clang clang-format:clang-format clang-tidy:clang-tidy
    lintian:lintian reuse:reuse faketime:faketime disorderfs:disorderfs
    diffoscope:diffoscope-minimal mmdebstrap:mmdebstrap bwrap:bubblewrap
    arch-test:arch-test qemu-aarch64-static:qemu-user-static shellcheck:shellcheck
    nsenter:util-linux findmnt:util-linux'

case ${1-} in
build) needs=$build ;;
test) needs="$build $test" ;;
ci) needs="$build $test $ci" ;;
*)
    echo "usage: $0 build|test|ci" >&2
    exit 2 ;;
esac

tools='' packages=''
for need in $needs; do
    command -v "${need%%:*}" >/dev/null 2>&1 && continue
    tools="$tools ${need%%:*}"
    case " $packages " in
    *" ${need#*:} "*) ;;
    *) packages="$packages ${need#*:}" ;;
    esac
done
[ -n "$packages" ] || exit 0

if ! command -v apt-get >/dev/null 2>&1; then
    echo "$0: no apt-get here; install these tools, then run this again:$tools" >&2
    exit 1
fi
sudo=
if [ "$(id -u)" != 0 ]; then
    if ! command -v sudo >/dev/null 2>&1; then
        echo "$0: run this as root, or install sudo; it installs:$packages" >&2
        exit 1
    fi
    sudo=sudo
fi
$sudo apt-get update
# An architecture's archive may lack a tool, as Debian's has no valgrind
# for riscv64 or armel: the rest are installed, and the tests that need it
# skip. Building needs all of its own.
arch=$(dpkg --print-architecture) installable=
for package in $packages; do
    case $(apt-cache policy "$package" | sed -n 's/^ *Candidate: //p') in
    '' | '(none)') ;;
    *)
        installable="$installable $package"
        continue ;;
    esac
    case " $build " in
    *":$package "*)
        echo "$0: the archive has no $package for $arch, and building needs it" >&2
        exit 1 ;;
    esac
    echo "$0: the archive has no $package for $arch; the tests that need it will skip"
done
[ -n "$installable" ] || exit 0
echo "$0: installing$installable"
# shellcheck disable=SC2086 # one word for each package
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $installable
