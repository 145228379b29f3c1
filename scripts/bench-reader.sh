#!/bin/sh
# Prints the reader window's speed under Wine on a 1024 x 768 screen, with a
# page of the demo book's size (162,110 cells): a full paint and its number
# of text calls, a Page Down with its settings write, and a line up at the
# book's end, which finds the visible lines from the first cell. Builds what
# it needs in build/win64.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
build=$root/build/win64
prefix=$build/wineprefix
home=$build/test-home

if [ "${1:-}" != "--on-display" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" >/dev/null
    cmake --build "$build" --target reader_bench_w fake_browser >/dev/null
    # Wine's desktop, started with the prefix, must see the display.
    status=0
    xvfb-run -a -s "-screen 0 1024x768x24" sh "$0" --on-display || status=$?
    echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
    exit $status
fi

sh "$root/cmake/wine-prefix.sh" init "$prefix" "$home"
sh "$root/cmake/reader-prefix.sh" "$prefix" "$home" "$build/tests/reader/fake_browser.exe" reader_bench_w.exe
status=0
(
    cd "$build/tests/reader"
    HOME="$home" WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
        /usr/lib/wine/wine64 "$build/tests/reader/reader_bench_w.exe"
) || status=$?
sh "$root/cmake/wine-prefix.sh" stop "$prefix" "$home"
exit $status
