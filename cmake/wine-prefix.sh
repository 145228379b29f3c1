#!/bin/sh
# Creates (init) or shuts down (stop) the Wine prefix that the Windows tests
# of one build tree run in.
set -e
action=$1
prefix=$2
home=$3
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export HOME="$home"
wineserver=/usr/lib/wine/wineserver
mkdir -p "$home"
case "$action" in
init)
    if [ ! -f "$prefix/system.reg" ]; then
        /usr/lib/wine/wine64 wineboot --init
    fi
    "$wineserver" -w
    # Sound goes through ALSA, whose configuration each test can set in its
    # own HOME; a PulseAudio server, where there is one, is not used.
    /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\Drivers' /v Audio /d alsa /f >/dev/null 2>&1
    "$wineserver" -w
    # One persistent server for all tests saves each test the start of a new one.
    "$wineserver" -p </dev/null >/dev/null 2>&1
    # Start Wine's own services now, detached from any test's output: a test
    # that started them would keep its output open until they end.
    /usr/lib/wine/wine64 wineboot </dev/null >/dev/null 2>&1
    ;;
stop)
    "$wineserver" -k 2>/dev/null || true
    ;;
*)
    echo "usage: $0 init|stop PREFIX HOME" >&2
    exit 2
    ;;
esac
