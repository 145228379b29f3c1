#!/bin/sh
# Makes the demo edition: a made-up book, its Russian and English
# translations, the author's picture and the 45 tracks, cut to the
# compiled-in segment and chapter tables; then checks it with the reader's
# own loader.
#   scripts/make-demo-edition.sh [--quick] [directory]
# Full: tracks at 22050 Hz mono 16-bit, default directory build/demo.
# Quick (--quick): tracks at 8000 Hz mono 8-bit, default build/demo-quick.
# Builds the generator in build/native (configured when missing, as
# scripts/test.sh does; it needs the packages scripts/install-packages.sh
# installs).
set -eu
here=$(pwd)
cd "$(dirname "$0")/.."
root=$(pwd)

usage() {
    echo "usage: scripts/make-demo-edition.sh [--quick] [directory]" >&2
    exit 2
}

quick=""
dir=""
for arg in "$@"; do
    case $arg in
    --quick) quick=--quick ;;
    -*) usage ;;
    *)
        [ -z "$dir" ] || usage
        case $arg in
        /*) dir=$arg ;;
        *) dir=$here/$arg ;;
        esac
        ;;
    esac
done
if [ -z "$dir" ]; then
    if [ -n "$quick" ]; then dir=$root/build/demo-quick; else dir=$root/build/demo; fi
fi

for tool in cmake ninja; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "make-demo-edition.sh: $tool is missing: run scripts/install-packages.sh as root (or with sudo where" \
            "it exists) to install what is needed, and build from one account throughout (a tree built" \
            "by root fails for another user)" >&2
        exit 1
    fi
done
if [ ! -f "$root/build/native/build.ninja" ]; then
    cmake -S "$root" -B "$root/build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
fi
cmake --build "$root/build/native" --target make_demo_edition check_edition >/dev/null

began=$(date +%s.%N)
"$root/build/native/tools/make_demo_edition" $quick "$dir"
ended=$(date +%s.%N)
awk -v a="$began" -v b="$ended" 'BEGIN { printf "  generated in %.2f s\n", b - a }'
du -cb "$dir"/book.txt "$dir"/book_t*.txt "$dir"/Vireau.bmp "$dir"/omblt*.wav |
    awk 'END { printf "  on disk: %.1f MiB (%d bytes)\n", $1 / 1048576, $1 }'
"$root/build/native/tools/check_edition" "$dir"
