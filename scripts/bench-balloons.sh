#!/bin/sh
# Prints the translation balloons' speed under Wine: the time to show
# translations of 200, 2,000 and 10,000 characters (copy, line breaking,
# placement), one paint of a sentence outline with a balloon, and 70,000
# paints in a row (more than Wine's GDI handles, so a leak would show).
# Builds what it needs in build/win64.
set -eu
exec sh "$(dirname "$0")/../cmake/wine-bench.sh" balloon_bench_w
