#!/usr/bin/env bash
# Installs the Debian 12 packages Lamina needs. Safe to run again: it does
# nothing when everything is already there.
#
#   bash scripts/setup.sh           building and running the program
#   bash scripts/setup.sh --tests   that, and what the tests, benchmarks,
#                                   fuzzers and static checks need
set -euo pipefail

# Building and running lamina and lamina-cli. xvfb lets scripts/run.sh start
# the window on a machine without a display.
program_packages=(
  build-essential cmake ninja-build pkg-config dpkg-dev
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libdxflib-dev
  fonts-noto-cjk fonts-liberation2 xvfb xauth
)

# Only the test path: the test and benchmark libraries, and clang with its
# sanitizer runtimes and tools for the fuzzers and the static checks.
test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format clang-tidy
  gmsh strace
)

packages=("${program_packages[@]}")
case "${1:-}" in
  "") ;;
  --tests) packages+=("${test_packages[@]}") ;;
  *) echo "usage: bash scripts/setup.sh [--tests]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
