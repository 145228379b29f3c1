#!/bin/sh
# Prints the reader window's speed under Wine on a 1024 x 768 screen, with a
# page of the demo book's size (162,110 cells): a full paint and its number
# of text calls, a Page Down with its settings write, and a line up at the
# book's end, which finds the visible lines from the first cell. Builds what
# it needs in build/win64.
set -eu
exec sh "$(dirname "$0")/../cmake/wine-bench.sh" reader_bench_w --reader-prefix
