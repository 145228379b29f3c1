#!/bin/sh
# Prints the translation balloons' speed under Wine: the time to show
# translations of 200, 2,000 and 10,000 characters (copy, line breaking,
# placement), one paint of a sentence outline with a balloon, and 70,000
# paints in a row (more than Wine's GDI handles, so a leak would show).
# Builds what it needs in build/win64.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
build=$root/build/win64
prefix=$build/wineprefix
home=$build/test-home

if [ "${1:-}" != "--on-display" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" >/dev/null
    cmake --build "$build" --target balloon_bench_w >/dev/null
    status=0
    xvfb-run -a -s "-screen 0 1024x768x24" sh "$0" --on-display || status=$?
    echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
    exit $status
fi

sh "$root/cmake/wine-prefix.sh" init "$prefix" "$home"
status=0
(
    cd "$build/tests/reader"
    HOME="$home" WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
        /usr/lib/wine/wine64 "$build/tests/reader/balloon_bench_w.exe"
) || status=$?
sh "$root/cmake/wine-prefix.sh" stop "$prefix" "$home"
exit $status
