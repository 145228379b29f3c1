#!/bin/sh
# Runs the reader on the demo edition:
#   scripts/run.sh [--quick]
# Installs what a fresh Debian 12 machine lacks (as root), makes the demo
# edition (build/demo, or build/demo-quick with --quick) when it is missing,
# builds the x86_64 Windows programs in build/win64 and starts Tavrems.exe
# under wine64 with the edition as its current directory. Without a display
# (DISPLAY unset) the window opens on a virtual screen, where nobody sees it.
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

scripts/install-packages.sh

if [ ! -f "$edition/omblt45.wav" ]; then
    scripts/make-demo-edition.sh $quick "$edition"
fi

cmake -S "$root" -B "$root/build/win64" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" >/dev/null
cmake --build "$root/build/win64" --target Tavrems

program=$root/build/win64/reader/Tavrems.exe
cd "$edition"
# No offer to install Wine's .NET and HTML add-ons on a first start.
export WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
if [ -z "${DISPLAY:-}" ]; then
    echo "run.sh: no display (DISPLAY is not set): the window opens on a virtual screen; Ctrl-C ends it" >&2
    exec xvfb-run -a -s "-screen 0 1024x768x24" /usr/lib/wine/wine64 "$program"
fi
exec /usr/lib/wine/wine64 "$program"
