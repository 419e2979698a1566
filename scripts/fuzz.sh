#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for
# SECONDS_PER_TARGET (default 60) on a scratch copy of its seed corpus, so the
# checked-in corpus never grows. Prints the executions each target reached;
# exits non-zero on any crash, leak, timeout or sanitizer report, keeping
# the inputs and logs in build-fuzz/findings/.
#
#   bash scripts/fuzz.sh [SECONDS_PER_TARGET]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
if ! [[ $seconds =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: bash scripts/fuzz.sh [SECONDS_PER_TARGET]  (a whole number of seconds, default 60)" >&2
  exit 2
fi

for tool in clang++ cmake ninja; do
  if ! command -v "$tool" >/dev/null; then
    echo "fuzz.sh: $tool not found; the fuzzers need clang (libFuzzer), CMake and Ninja" >&2
    exit 2
  fi
done

targets=(fuzz_readings fuzz_design_file fuzz_generator fuzz_table)
# Each target runs on its seed corpus with its dictionary; one that is
# missing or empty would quietly weaken the run, so it stops the run instead.
for target in "${targets[@]}"; do
  if [ ! -s "fuzz/dict/$target.dict" ]; then
    echo "fuzz.sh: the dictionary fuzz/dict/$target.dict is missing or empty" >&2
    exit 2
  fi
  if [ -z "$(ls -A "fuzz/corpus/$target" 2>/dev/null)" ]; then
    echo "fuzz.sh: the seed corpus fuzz/corpus/$target/ is missing or empty" >&2
    exit 2
  fi
done
build="build-fuzz"
compiler=$(command -v clang++)

# A cache made with another compiler cannot be switched over; start afresh.
if [ -f "$build/CMakeCache.txt" ] && ! grep -qx "CMAKE_CXX_COMPILER:[A-Z]*=$compiler" "$build/CMakeCache.txt"; then
  rm -rf "$build/CMakeCache.txt" "$build/CMakeFiles"
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER="$compiler" \
  -DLAMINA_BUILD_FUZZERS=ON -DLAMINA_BUILD_GUI=OFF \
  -DLAMINA_BUILD_TESTS=OFF -DLAMINA_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target "${targets[@]}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
findings=$build/findings
rm -rf "$findings"

export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}

failed=()
summary=()
for target in "${targets[@]}"; do
  corpus=$work/$target/corpus
  artifacts=$work/$target/artifacts
  log=$work/$target/log
  mkdir -p "$corpus" "$artifacts"
  cp -R "fuzz/corpus/$target/." "$corpus/"
  options=(-max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048
           -artifact_prefix="$artifacts/" -dict="fuzz/dict/$target.dict")

  echo "== $target: ${seconds}s"
  status=0
  "$build/bin/$target" "${options[@]}" "$corpus" >"$log" 2>&1 || status=$?

  # The final stats, or after a crash the last progress line.
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  [ -n "$executions" ] || executions=$(sed -n 's/^#\([0-9][0-9]*\).*/\1/p' "$log" | tail -n 1)
  executions=${executions:-unknown}
  # libFuzzer's exit status covers crashes, leaks and timeouts; the log and
  # the artifacts catch a report that slipped past it.
  if [ "$status" -ne 0 ] || [ -n "$(ls -A "$artifacts")" ] \
     || grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer|UndefinedBehaviorSanitizer|libFuzzer)|runtime error:|^SUMMARY: ' "$log"; then
    mkdir -p "$findings/$target"
    cp "$log" "$findings/$target/log"
    cp -R "$artifacts/." "$findings/$target/"
    grep -E 'ERROR:|runtime error:|SUMMARY:|lamina fuzz:|Test unit written' "$log" | head -n 20 \
      || tail -n 20 "$log"
    echo "$target: FAILED (exit $status) after $executions executions; see $findings/$target/"
    failed+=("$target")
    summary+=("$(printf '%-18s %12s executions  FAILED' "$target" "$executions")")
  else
    echo "$target: $executions executions, nothing found"
    summary+=("$(printf '%-18s %12s executions  ok' "$target" "$executions")")
  fi
done

echo
echo "== fuzzing, ${seconds}s per target"
printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzz.sh: findings in ${failed[*]}" >&2
  exit 1
fi
