#!/bin/sh
# Installs with apt what a fresh Debian 12 machine lacks to build, test and run
# the programs, and the packages named as arguments (what another script
# needs besides); as root only (a fresh root shell has no sudo).
#   scripts/install-packages.sh [package...]
set -eu

packages="cmake ninja-build g++ googletest g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 xvfb xauth $*"
missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
if [ -n "$missing" ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "missing packages:$missing (run as root to install them)" >&2
        exit 1
    fi
    echo "installing$missing"
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
fi
