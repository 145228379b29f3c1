#!/bin/sh
# Coverage-guided fuzzing of the book and translation parsing with libFuzzer
# (clang, with AddressSanitizer and UBSan): each input is read as a book and
# as a translation, and made into one odd record among well-formed ones, which
# must spoil no other record. Not part of the test command.
#   scripts/fuzz-loader.sh [seconds]        default 60
# Needs clang and libclang-rt-14-dev. New inputs go to build/fuzz/corpus; a
# crashing input is written to build/fuzz/ and should join tests/document/corpus.
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-60}
out=build/fuzz
mkdir -p "$out/corpus"
cp tests/document/corpus/* "$out/corpus/"
clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -I. \
    core/*.cpp document/*.cpp edition/*.cpp \
    tests/document/LoaderInvariants.cpp tests/document/fuzz/LoaderFuzzer.cpp \
    -o "$out/loader_fuzzer"
"$out/loader_fuzzer" -max_total_time="$seconds" -max_len=4096 -artifact_prefix="$out/" "$out/corpus"
