#!/bin/sh
# Prints the reader's speed under Wine on a 1024 x 768 screen, its window
# sized to the desktop. Makes the full demo edition (build/demo) when it is
# missing and builds what it needs in build/win64.
#
# On the demo edition's book:
#   - first paint: from the reader's entry to the end of the book's first
#     paint, with its parts (window and menus, loadAll, layout, regions,
#     paint) and the figure from ReaderWindow::start;
#   - the layout: cells and regions, the units measured, and the same layout
#     measuring every character again;
#   - paints at the top, middle and end: drawLayers (with the text and
#     picture layers alone), and InvalidateRect + UpdateWindow; and the same
#     during playback with a balloon open;
#   - process creation to WaitForInputIdle and to first paint of Tavrems.exe
#     and of a bare window program, alternately.
# On the quick demo edition (build/demo-quick, made when missing), the real
# Tavrems.exe playing, driven from another process:
#   - highlight latency: from the capture holding a segment's first byte to
#     the first grab of the window showing it green, over 60 segment starts;
#   - the program's memory after start-up, 60 s of playback and 200 balloon
#     cycles.
# What the programs play goes to files in build/win64/bench-home (an ALSA
# "file" device, emptied afterwards).
# On a test page of the book's size (162,110 cells): a full paint and its
# number of text calls, a Page Down with its settings write, and a line up
# at the book's end, which finds the visible lines from the first cell.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
build=$root/build/win64
prefix=$build/wineprefix
home=$build/test-home
edition=$root/build/demo
quick=$root/build/demo-quick
bench_home=$build/bench-home

if [ "${1:-}" != "--on-display" ]; then
    if [ ! -f "$edition/omblt45.wav" ]; then
        scripts/make-demo-edition.sh "$edition"
    fi
    if [ ! -f "$quick/omblt45.wav" ]; then
        scripts/make-demo-edition.sh --quick "$quick"
    fi
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" >/dev/null
    cmake --build "$build" --target reader_bench_w reader_book_bench_w reader_play_bench_w bare_window Tavrems \
        fake_browser >/dev/null
    # Wine's desktop, started with the prefix, must see the display.
    status=0
    xvfb-run -a -s "-screen 0 1024x768x24" sh "$0" --on-display || status=$?
    echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
    exit $status
fi

winpath() {
    printf 'Z:%s' "$1" | sed 's|/|\\|g'
}

sh "$root/cmake/wine-prefix.sh" init "$prefix" "$home"
sh "$root/cmake/reader-prefix.sh" "$prefix" "$home" "$build/tests/reader/fake_browser.exe" \
    reader_bench_w.exe reader_book_bench_w.exe reader_play_bench_w.exe bare_window.exe Tavrems.exe
# Sound goes to capture files, as in the tests.
sh "$root/cmake/capture-home.sh" "$bench_home"
export HOME="$bench_home" WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
TAVREMS_CAPTURE_DIR=$(winpath "$bench_home")
export TAVREMS_CAPTURE_DIR
wine=/usr/lib/wine/wine64
status=0
(
    cd "$edition"
    echo "== the demo edition's book, the reader in the benchmark's process"
    "$wine" "$build/benchmarks/reader_book_bench_w.exe"
    rm -f "$bench_home"/capture.raw*
    echo "== start-up of the programs"
    "$wine" "$build/benchmarks/reader_book_bench_w.exe" startup \
        "$(winpath "$build/reader/Tavrems.exe")" "$(winpath "$build/benchmarks/bare_window.exe")"
    echo "== the program playing the quick demo edition"
    cd "$quick"
    "$wine" "$build/benchmarks/reader_play_bench_w.exe" "$(winpath "$build/reader/Tavrems.exe")"
    rm -f "$bench_home"/capture.raw*
    echo "== a test page of the book's size"
    cd "$build/benchmarks"
    "$wine" "$build/benchmarks/reader_bench_w.exe"
) || status=$?
sh "$root/cmake/wine-prefix.sh" stop "$prefix" "$home"
exit $status
