#!/bin/sh
# Builds and runs one benchmark program under wine64 on a 1024 x 768 Xvfb
# screen, in build/win64's own prefix, and prints the machine it ran on:
#   wine-bench.sh TARGET
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/win64
prefix=$build/wineprefix
home=$build/test-home
target=$1

if [ "${2:-}" != "--on-display" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" >/dev/null
    cmake --build "$build" --target "$target" >/dev/null
    # Wine's desktop, started with the prefix, must see the display.
    status=0
    xvfb-run -a -s "-screen 0 1024x768x24" sh "$0" "$target" --on-display || status=$?
    echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
    exit $status
fi

sh "$root/cmake/wine-prefix.sh" init "$prefix" "$home"
status=0
(
    cd "$build/benchmarks"
    HOME="$home" WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
        /usr/lib/wine/wine64 "$build/benchmarks/$target.exe"
) || status=$?
sh "$root/cmake/wine-prefix.sh" stop "$prefix" "$home"
exit $status
