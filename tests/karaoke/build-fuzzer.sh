#!/usr/bin/env bash
# Builds the CD+G decoder's fuzzer with clang's libFuzzer (AddressSanitizer and
# UBSan on) into build-fuzz/, and runs it when given a number of seconds:
#   tests/karaoke/build-fuzzer.sh          build only
#   tests/karaoke/build-fuzzer.sh 600      build, then fuzz for ten minutes
# New inputs it finds go to build-fuzz/cdg-corpus/; the seeds stay in
# tests/karaoke/fuzz-corpus/ (written by make_fuzz_seeds.py).
set -euo pipefail
cd "$(dirname "$0")/../.."
mkdir -p build-fuzz/cdg-corpus
clang++ -std=c++20 -g -O1 -fno-omit-frame-pointer \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I. karaoke/CDGFile.cpp karaoke/VideoFrameSurface.cpp tests/karaoke/CdgFuzzTarget.cpp \
  -o build-fuzz/cdg_fuzzer
if [ -n "${1:-}" ]; then
  ./build-fuzz/cdg_fuzzer -max_total_time="$1" -print_final_stats=1 \
    build-fuzz/cdg-corpus tests/karaoke/fuzz-corpus
fi
