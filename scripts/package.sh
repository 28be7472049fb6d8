#!/usr/bin/env bash
# Builds the Debian package, build-package/davrin-audio-player_<version>_<arch>.deb:
# a release build without tests, installed under /usr by CPack.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build-package -DCMAKE_BUILD_TYPE=Release -DDAVRIN_TESTS=OFF -DDAVRIN_BENCH=OFF "$@"
(cd build-package && cpack -G DEB >/dev/null)
ls build-package/davrin-audio-player_*.deb
