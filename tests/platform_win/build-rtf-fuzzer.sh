#!/usr/bin/env bash
# Builds the RTF reader's fuzzer with clang's libFuzzer (AddressSanitizer and
# UBSan on) into build-fuzz/, and runs it when given a number of seconds:
#   tests/platform_win/build-rtf-fuzzer.sh          build only
#   tests/platform_win/build-rtf-fuzzer.sh 600      build, then fuzz for ten minutes
# New inputs it finds go to build-fuzz/rtf-corpus/; the seeds stay in
# tests/platform_win/rtf-fuzz-corpus/.
set -euo pipefail
cd "$(dirname "$0")/../.."
mkdir -p build-fuzz/rtf-corpus
clang++ -std=c++20 -g -O1 -fno-omit-frame-pointer \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I. platform/win/Rtf.cpp tests/platform_win/RtfFuzzTarget.cpp \
  -o build-fuzz/rtf_fuzzer
if [ -n "${1:-}" ]; then
  ./build-fuzz/rtf_fuzzer -max_total_time="$1" -max_len=65536 -timeout=30 -artifact_prefix=build-fuzz/ -print_final_stats=1 \
    build-fuzz/rtf-corpus tests/platform_win/rtf-fuzz-corpus
fi
