#!/bin/sh
# Plays a 5-minute 44.1 kHz stereo track through the sound player, under Wine,
# into an ALSA capture device ("file" over "null"), and prints the bytes
# played against the bytes expected, the bytes of silence the output inserted
# inside the track (target 0), the largest gap between two block completions
# and the CPU time. Builds what it needs in build/win64.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
build=$root/build/win64

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" >/dev/null
cmake --build "$build" --target sound_player_bench_w >/dev/null

work=$build/bench-sound
home=$work/home
sh "$root/cmake/capture-home.sh" "$home"

prefix=$build/wineprefix
sh "$root/cmake/wine-prefix.sh" init "$prefix" "$build/test-home"
status=0
(
    cd "$work"
    HOME="$home" TAVREMS_CAPTURE_DIR=home WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
        /usr/lib/wine/wine64 "$build/benchmarks/sound_player_bench_w.exe"
) || status=$?
sh "$root/cmake/wine-prefix.sh" stop "$prefix" "$build/test-home"
# The track and its capture take 100 MB.
rm -f "$home"/capture.raw* "$home/bench.wav"
exit $status
