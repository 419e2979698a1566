#!/usr/bin/env bash
# Builds the Debian package: build/lamina_<version>_<arch>.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
(cd build && cpack -G DEB >/dev/null)
ls build/lamina_*.deb
