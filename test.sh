#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite: once in a
# normal build, once with AddressSanitizer and UndefinedBehaviorSanitizer.
# The test option is passed each time: a cached OFF (from a build without the
# tests) never leaves the suite unbuilt or its binaries stale.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== Build and test"
tools/build.sh build -DQF_BUILD_TESTS=ON
ctest --test-dir build --output-on-failure --no-tests=error --parallel "$jobs"

echo "== Build and test with AddressSanitizer and UndefinedBehaviorSanitizer"
tools/build.sh build-asan -DQF_BUILD_TESTS=ON -DQF_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure --no-tests=error --parallel "$jobs" -LE slow
