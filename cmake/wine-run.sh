#!/bin/sh
# Runs a Windows test program for CTest with its output through a file:
#   wine-run.sh OUTPUT WINE PROGRAM [ARGUMENT...]
# CTest waits until nothing holds the test's output open. Wine gives the
# standard error of the program that first needs the desktop window to the
# desktop process it starts (explorer.exe), which lives until one second after
# the last program on the desktop has ended; while the window tests follow one
# another that is never, and the test that started it runs into its time
# limit long after its last line. Here the program and whatever it starts
# write to OUTPUT, which tail copies to CTest as it grows, and tail ends with
# the program: nothing of the output is lost, and nothing else holds CTest's.
# The program replaces this shell, so CTest's time limit stops it and its
# exit code is the test's.
set -eu
output=$1
shift
mkdir -p "$(dirname "$output")"
: >"$output"
# $$ is this shell, and after exec the program.
tail -n +1 -s 0.1 -f --pid=$$ "$output" &
exec "$@" >>"$output" 2>&1
