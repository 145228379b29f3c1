#!/bin/sh
# Runs the reader on the demo edition:
#   scripts/run.sh [--quick]
# Makes the demo edition (build/demo, or build/demo-quick with --quick) when
# it is missing, builds the x86_64 Windows programs in build/win64 and starts
# Tavrems.exe under wine64 with the edition as its current directory. Needs the
# packages scripts/test.sh installs, and a display (DISPLAY) for the window.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)

quick=""
edition=build/demo
case ${1:-} in
--quick)
    quick=--quick
    edition=build/demo-quick
    ;;
"") ;;
*)
    echo "usage: scripts/run.sh [--quick]" >&2
    exit 2
    ;;
esac

if [ ! -f "$edition/omblt45.wav" ]; then
    scripts/make-demo-edition.sh $quick "$edition"
fi

cmake -S "$root" -B "$root/build/win64" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" >/dev/null
cmake --build "$root/build/win64"

program=$root/build/win64/reader/Tavrems.exe
cd "$edition"
WINEDEBUG=${WINEDEBUG:--all} exec /usr/lib/wine/wine64 "$program"
