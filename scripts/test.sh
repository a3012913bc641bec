#!/usr/bin/env bash
# Installs what Mirtal needs, builds it with its tests and runs them.
#   scripts/test.sh                 the normal build in build/
#   scripts/test.sh --sanitize      the same under AddressSanitizer and UBSan in build-asan/
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
extra=()
if [ "${1:-}" = "--sanitize" ]; then
  build=build-asan
  extra=(-DMIRTAL_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -DMIRTAL_BENCH=OFF)
  # The browser engine's own code frees with mismatched operators; its leaks at exit are in lsan.supp.
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1:new_delete_type_mismatch=0"
  export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
fi

# The browser engine will not run as root with its sandbox on (CI containers).
if [ "$(id -u)" -eq 0 ]; then export QTWEBENGINE_DISABLE_SANDBOX=1; fi

./scripts/setup.sh
jobs=$(nproc)
cmake -S . -B "$build" -G Ninja "${extra[@]}" >/dev/null
cmake --build "$build" -j "$jobs"
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --no-tests=ignore -j "$jobs" --timeout 600
