#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite: once in a
# normal build, once with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== Build and test"
tools/build.sh build
ctest --test-dir build --output-on-failure --parallel "$jobs"

echo "== Build and test with AddressSanitizer and UndefinedBehaviorSanitizer"
tools/build.sh build-asan -DQF_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure --parallel "$jobs" -LE slow
