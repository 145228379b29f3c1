#!/bin/sh
# Prints the figures of the compiled-in segment table (no pass or fail):
#   - how long tools/generate_segment_table.py takes, and whether it still
#     writes exactly the committed edition/SegmentBlock*.cpp;
#   - how long the generated sources take to compile (-O2, one file after the
#     other), natively and with the i686 Windows compiler when it is installed;
#   - how long BookLoader::fillSegmentTable takes (native, optimised, no
#     sanitizers; built in build/bench).
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

now() {
    date +%s.%N
}

since() {
    awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.2f", b - a }'
}

echo "generation (3 runs):"
for run in 1 2 3; do
    began=$(now)
    python3 tools/generate_segment_table.py --out "$tmp/gen" >/dev/null
    echo "  run $run: $(since "$began") s"
done
same=yes
for f in "$tmp"/gen/*; do
    cmp -s "$f" "edition/$(basename "$f")" || same=no
done
if [ "$same" = yes ]; then
    echo "  output matches the committed edition/SegmentBlock*.cpp"
else
    echo "  output DIFFERS from the committed edition/SegmentBlock*.cpp"
fi

compile() {
    compiler=$1
    if ! command -v "$compiler" >/dev/null 2>&1; then
        echo "compile with $compiler: not installed"
        return
    fi
    began=$(now)
    for f in edition/SegmentBlock*.cpp; do
        "$compiler" -std=c++17 -O2 -Wall -Wextra -Wpedantic -Werror -I"$root" -c "$f" -o "$tmp/block.o"
    done
    echo "compile of the 14 generated files with $compiler -O2: $(since "$began") s"
}
compile g++
compile i686-w64-mingw32-g++-posix

cmake -S "$root" -B "$root/build/bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVREMS_SANITIZE=OFF >/dev/null
cmake --build "$root/build/bench" --target segment_table_bench >/dev/null
"$root/build/bench/benchmarks/segment_table_bench" 500
