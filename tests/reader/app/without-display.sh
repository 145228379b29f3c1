#!/bin/sh
# Each program started where Wine has no display: no window can be made, so
# the program must end at once with a non-zero code and write nothing.
#   without-display.sh WINE PROGRAM...
# WINEPREFIX names the test prefix, whose Windows directory holds the settings.
set -u
wine=$1
shift
settings="$WINEPREFIX/drive_c/windows/korvell.ini"
status=0
for program in "$@"; do
    rm -f "$settings"
    env -u DISPLAY timeout 20 "$wine" "$program" >/dev/null 2>&1
    code=$?
    if [ "$code" -eq 124 ]; then
        echo "FAIL: $program still runs after 20 s without a window"
        status=1
    elif [ "$code" -eq 0 ]; then
        echo "FAIL: $program ended with code 0 without a window"
        status=1
    else
        echo "ok: $program ended with code $code"
    fi
    if [ -e "$settings" ]; then
        echo "FAIL: $program wrote the settings file:"
        cat "$settings"
        status=1
    fi
done
exit $status
