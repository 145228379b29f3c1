#!/bin/sh
# Prepares the test prefix for the reader's window tests:
#   reader-prefix.sh PREFIX HOME FAKE_BROWSER PROGRAM...
# The default web browser becomes the logging fake (no test may start a real
# one); each program's maximised window gets the screen's size without a
# window manager; a crash shows no dialog.
set -e
prefix=$1
home=$2
fake=$3
shift 3
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" HOME="$home"
wine=/usr/lib/wine/wine64

# The fake's path as Wine's drive Z: shows it, escaped for a .reg file.
fake_path=$(printf 'Z:%s' "$fake" | sed 's|/|\\\\|g')
reg=$(mktemp --suffix=.reg)
{
    echo 'REGEDIT4'
    echo
    # printf: the shell's echo may turn the backslashes into escapes.
    printf '%s\n' '[HKEY_CLASSES_ROOT\http\shell\open\command]'
    printf '@="\\"%s\\" \\"%%1\\""\n' "$fake_path"
    echo
    printf '%s\n' '[HKEY_CURRENT_USER\Software\Wine\WineDbg]'
    echo '"ShowCrashDialog"=dword:00000000'
    for program in "$@"; do
        echo
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\%s\\X11 Driver]\n' "$program"
        echo '"Managed"="N"'
    done
} >"$reg"
# Through wine-run.sh, as every test's program: nothing it starts may hold
# this script's output.
sh "$(dirname "$0")/wine-run.sh" "$home/regedit-output.log" "$wine" regedit /S "$(printf 'Z:%s' "$reg" | sed 's|/|\\|g')"
rm -f "$reg"
