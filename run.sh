#!/usr/bin/env bash
# Installs what is missing, builds, and starts the designer.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
tools/build.sh build -DQF_BUILD_TESTS=OFF
exec build/app/schiffsdesigner "$@"
