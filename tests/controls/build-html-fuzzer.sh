#!/usr/bin/env bash
# Builds the markup drawer's fuzzer with clang's libFuzzer (AddressSanitizer and
# UBSan on) into build-fuzz/, and runs it when given a number of seconds:
#   tests/controls/build-html-fuzzer.sh          build only
#   tests/controls/build-html-fuzzer.sh 600      build, then fuzz for ten minutes
# The drawer and its drawing helpers are built into the fuzzer; the window layer
# (libmirtalwin.so) comes from the normal build in build/, made first. New
# inputs it finds go to build-fuzz/html-corpus/; the seeds stay in
# tests/controls/html-fuzz-corpus/.
set -euo pipefail
cd "$(dirname "$0")/../.."
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target mirtalwin >/dev/null
mkdir -p build-fuzz/html-corpus
clang++ -std=c++20 -g -O1 -fno-omit-frame-pointer -fPIC \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I. $(pkg-config --cflags Qt6Widgets) \
  controls/PPHtmlDrawer*.cpp controls/PPDrawManager.cpp controls/CeXDib.cpp \
  tests/controls/HtmlDrawerFuzzTarget.cpp \
  -Lbuild/bin -lmirtalwin -Wl,-rpath,"$PWD/build/bin" $(pkg-config --libs Qt6Widgets) \
  -o build-fuzz/html_fuzzer
if [ -n "${1:-}" ]; then
  # Leaks are checked by the sanitizer build of the tests; the toolkit keeps
  # caches for the whole run, which the fuzzer would report at exit.
  ASAN_OPTIONS=detect_leaks=0 ./build-fuzz/html_fuzzer -max_total_time="$1" -max_len=8192 -timeout=10 \
    -rss_limit_mb=4096 -artifact_prefix=build-fuzz/html- -print_final_stats=1 \
    -dict=tests/controls/html-fuzz.dict build-fuzz/html-corpus tests/controls/html-fuzz-corpus
fi
