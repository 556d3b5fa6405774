#!/usr/bin/env bash
# Installs what is missing, builds, and starts the designer.
# The program gets a build folder of its own (build-run/), so a build without the
# tests never stands where ./test.sh builds and runs the suite.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
tools/build.sh build-run -DQF_BUILD_TESTS=OFF
exec build-run/app/schiffsdesigner "$@"
