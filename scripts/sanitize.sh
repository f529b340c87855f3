#!/usr/bin/env bash
# Builds the core libraries and their unit tests with AddressSanitizer and
# UndefinedBehaviorSanitizer into build-asan/ (no windows, no benchmarks) and runs the tests.
# Any memory error, leak or undefined behaviour fails the test it happens in.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh > /dev/null  # the packages; the normal build is left as it is
build=build-asan
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSPLITDUEL_SANITIZE=ON \
  -DSPLITDUEL_GUI=OFF -DSPLITDUEL_BENCH=OFF "${launcher[@]}" > /dev/null
cmake --build "$build" -j"$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
