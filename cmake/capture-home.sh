#!/bin/sh
# Makes DIR a HOME whose default ALSA device writes what it plays to
# DIR/capture.raw (one more file, capture.raw.NNNN, per device opened) and
# empties it of earlier captures:
#   capture-home.sh DIR
set -eu
dir=$1
mkdir -p "$dir"
cat >"$dir/.asoundrc" <<EOF2
pcm.!default {
    type file
    slave.pcm "null"
    file "$dir/capture.raw"
    format "raw"
    truncate false
}
EOF2
rm -f "$dir"/capture.raw*
