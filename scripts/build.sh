#!/usr/bin/env bash
# Installs what is missing, then configures and builds into build/.
#
#   bash scripts/build.sh           the program only: lamina, lamina-cli and
#                                   what they need (pictures, help, Projects)
#   bash scripts/build.sh --tests   everything, tests and benchmarks included
set -euo pipefail
cd "$(dirname "$0")/.."
case "${1:-}" in
  "")
    bash scripts/setup.sh
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DLAMINA_BUILD_TESTS=OFF -DLAMINA_BUILD_BENCHMARKS=OFF >/dev/null
    cmake --build build --parallel "$(nproc)" --target lamina lamina-cli
    ;;
  --tests)
    bash scripts/setup.sh --tests
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DLAMINA_BUILD_TESTS=ON -DLAMINA_BUILD_BENCHMARKS=ON >/dev/null
    cmake --build build --parallel "$(nproc)"
    ;;
  *) echo "usage: bash scripts/build.sh [--tests]" >&2; exit 2 ;;
esac
