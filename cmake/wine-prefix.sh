#!/bin/sh
# Creates (init) or shuts down (stop) the Wine prefix that the Windows tests
# of one build tree run in. init may run again while the server of an earlier
# init still runs (ctest --repeat): it then reuses that server.
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
        # The new prefix is complete once its server has ended. A server
        # that never ends (a persistent one left running) must not hang us.
        if ! timeout 120 "$wineserver" -w; then
            echo "wine-prefix.sh: the wineserver of $prefix did not end; stop it with: $0 stop $prefix $home" >&2
            exit 1
        fi
    fi
    # One persistent server for all tests saves each test the start of a new
    # one. It fails (status 2) when a server already runs: an earlier init's
    # is reused.
    "$wineserver" -p </dev/null >/dev/null 2>&1 || true
    # Sound goes through ALSA, whose configuration each test can set in its
    # own HOME; a PulseAudio server, where there is one, is not used. The
    # server keeps the setting for every test it serves.
    /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\Drivers' /v Audio /d alsa /f >/dev/null 2>&1
    # Start Wine's own services now, detached from any test's output: a test
    # that started them would keep its output open until they end.
    /usr/lib/wine/wine64 wineboot </dev/null >/dev/null 2>&1
    ;;
stop)
    "$wineserver" -k 2>/dev/null || true
    # Gone before this ends: an init right after (another run of the tests)
    # would otherwise take the dying server for one to reuse.
    timeout 60 "$wineserver" -w || true
    ;;
*)
    echo "usage: $0 init|stop PREFIX HOME" >&2
    exit 2
    ;;
esac
