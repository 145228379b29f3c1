#!/bin/sh
# Each program started where Wine has no display: no window can be made, so
# the program must end at once with code 1 (not a crash's code) and write
# nothing.
#   without-display.sh WINE-PREFIX-SCRIPT PREFIX HOME WINE PROGRAM...
# PREFIX is a Wine prefix of its own, made and served by WINE-PREFIX-SCRIPT
# (cmake/wine-prefix.sh): a program without a display that were the first to
# open the tests' prefix's desktop would leave that desktop without one for
# every test after it.
set -u
prefix_script=$1
prefix=$2
home=$3
wine=$4
shift 4
unset DISPLAY WAYLAND_DISPLAY
sh "$prefix_script" init "$prefix" "$home" || exit 1
export WINEPREFIX="$prefix" HOME="$home"
settings="$prefix/drive_c/windows/korvell.ini"
status=0
for program in "$@"; do
    rm -f "$settings"
    timeout 20 "$wine" "$program" >/dev/null 2>&1
    code=$?
    if [ "$code" -eq 124 ]; then
        echo "FAIL: $program still runs after 20 s without a window"
        status=1
    elif [ "$code" -ne 1 ]; then
        echo "FAIL: $program ended with code $code without a window, not 1"
        status=1
    else
        echo "ok: $program ended with code 1"
    fi
    if [ -e "$settings" ]; then
        echo "FAIL: $program wrote the settings file:"
        cat "$settings"
        status=1
    fi
done
sh "$prefix_script" stop "$prefix" "$home"
exit $status
