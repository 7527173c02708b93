#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan, library instrumented too) and runs each:
#   scripts/fuzz.sh [SECONDS] [TARGET...]      default 30 s each, every target
#   FUZZ_RUNS=10000000 scripts/fuzz.sh 0 satellite_file_fuzz   a number of executions instead
# FUZZ_RSS_LIMIT_MB (default 2048) raises the memory limit for long runs: the sanitizers' and libFuzzer's own
# bookkeeping grows by a few hundred MB per million executions (the library's memory stays flat).
# Each target starts from its seed and regression corpus tests/fuzz/<target without _fuzz>/.
# Inputs that found new coverage go to build-fuzz/corpus/<target>/, a failing input to
# build-fuzz/findings/<target>/, the log to build-fuzz/logs/<target>.log.
# Exits non-zero on the first finding (crash, leak, undefined behaviour, timeout, escape).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-30}
shift || true
build=${FUZZ_BUILD_DIR:-build-fuzz}

scripts/build.sh "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DNORV_BUILD_FUZZ=ON -DNORV_BUILD_TESTS=OFF -DNORV_BUILD_APP=ON

targets=("$@")
if ((${#targets[@]} == 0)); then
  for source in fuzz/*_fuzz.cpp; do
    name=$(basename "$source" .cpp)
    [ -x "$build/bin/$name" ] && targets+=("$name")
  done
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
mkdir -p "$build/logs"
for target in "${targets[@]}"; do
  seeds=tests/fuzz/${target%_fuzz}
  corpus=$build/corpus/$target
  findings=$build/findings/$target
  log=$build/logs/$target.log
  mkdir -p "$corpus" "$findings"
  if [ -n "${FUZZ_RUNS:-}" ]; then
    limit=(-runs="$FUZZ_RUNS") what="$FUZZ_RUNS runs"
  else
    limit=(-max_total_time="$seconds") what="$seconds s"
  fi
  echo "== fuzz $target ($what)"
  if ! "$build/bin/$target" "${limit[@]}" -timeout=10 -rss_limit_mb="${FUZZ_RSS_LIMIT_MB:-2048}" \
      -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" "$seeds" >"$log" 2>&1; then
    tail -n 60 "$log" >&2
    echo "fuzz: $target found a failure; input in $findings/, log $log" >&2
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)
  echo "   ${runs:-?} executions, no finding (corpus $(ls "$corpus" | wc -l) inputs)"
done
