#!/usr/bin/env bash
# clang-format and clang-tidy over src/; any finding fails. Needs build/
# (compile_commands.json), so it runs after scripts/build.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/compile_commands.json ] || bash scripts/build.sh --tests

mapfile -t sources < <(git ls-files 'src/*.cpp' 'src/*.h')
echo "static-checks: clang-format over ${#sources[@]} files"
clang-format --dry-run --Werror "${sources[@]}"

mapfile -t units < <(git ls-files 'src/*.cpp')
echo "static-checks: clang-tidy over ${#units[@]} files"
tidy=$(command -v run-clang-tidy || command -v run-clang-tidy-14)
"$tidy" -quiet -p build -j "$(nproc)" "${units[@]/#/$PWD/}" >build/clang-tidy.log 2>&1 || {
  grep -E 'warning:|error:' build/clang-tidy.log | sort -u >&2
  echo "static-checks: clang-tidy found problems (build/clang-tidy.log)" >&2
  exit 1
}
echo "static-checks: clean"
