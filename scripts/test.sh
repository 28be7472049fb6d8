#!/usr/bin/env bash
# Sets up, builds and runs every test (unit, window and end-to-end).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build
cd build
ctest --output-on-failure -j "$(nproc)" "$@"
