#!/usr/bin/env bash
# Sets up, builds and runs every test (unit, window, fuzz and end-to-end), then
# builds again with AddressSanitizer and UndefinedBehaviorSanitizer and runs
# the whole suite once more, apart from the timed and the installing
# end-to-end runs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build
(cd build && ctest --output-on-failure -j "$(nproc)" "$@")
scripts/build.sh build-sanitize -DDAVRIN_SANITIZE=ON -DDAVRIN_BENCH=OFF
(cd build-sanitize &&
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --output-on-failure -j "$(nproc)" -E '^e2e_(playback|road|list_steps|seamless|install|package|media_controls|accessibility|tray_wayland|sound_server|media_place)$' "$@")
