#!/usr/bin/env bash
# Builds everything, tests included, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh --tests
ctest --test-dir build --output-on-failure --parallel "$(nproc)"
