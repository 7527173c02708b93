#!/usr/bin/env bash
# The whole test suite: installs dependencies, then builds and tests four trees:
#   build        the default library (Version 2.01)
#   build-asan   AddressSanitizer + UndefinedBehaviorSanitizer, earlier generation (Version 2.0)
#   build-tsan   ThreadSanitizer, the threaded tests only (serial, stress, faults)
#   build-fuzz   clang + libFuzzer: every fuzz target for FUZZ_SECONDS (default 30) each
# and then soaks the CLI of the default build for SOAK_SECONDS (default 120).
# Every tree is built with warnings as errors (NORV_WERROR, turned on by scripts/build.sh) and
# configured with every option it needs, whatever an earlier configure (scripts/run.sh turns the
# tests off in build/) left in its cache; ctest fails when a tree has no test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --tests

jobs=$(nproc)
export CTEST_OUTPUT_ON_FAILURE=1
# Each phase's heading says how long the suite has run so far.
phase() { echo "== $* (at $((SECONDS / 60))m$((SECONDS % 60))s)"; }

phase "default build"
scripts/build.sh build -DNORV_BUILD_TESTS=ON -DNORV_BUILD_APP=ON -DBUILD_SHARED_LIBS=ON \
  -DNORV_SANITIZE= -DNORV_EARLIER_GENERATION=OFF -DNORV_BUILD_FUZZ=OFF -UNORV_TEST_FOLDERS
ctest --test-dir build -j"$jobs" --timeout 300 --no-tests=error

phase "AddressSanitizer + UndefinedBehaviorSanitizer, earlier generation"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
scripts/build.sh build-asan -DNORV_BUILD_TESTS=ON -DNORV_SANITIZE=address,undefined \
  -DNORV_EARLIER_GENERATION=ON \
  -DNORV_TEST_FOLDERS="posix;framework;core;nmea;serial;satellites;navigation;orbits;package"
ctest --test-dir build-asan -j"$jobs" --timeout 600 --no-tests=error

phase "ThreadSanitizer: threaded tests"
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
scripts/build.sh build-tsan -DNORV_BUILD_TESTS=ON -DNORV_SANITIZE=thread -DNORV_BUILD_APP=OFF \
  -DNORV_TEST_FOLDERS="posix;serial;stress;faults"
ctest --test-dir build-tsan -j"$jobs" --timeout 600 --no-tests=error

phase "fuzzing: ${FUZZ_SECONDS:-30} s per target"
scripts/fuzz.sh "${FUZZ_SECONDS:-30}"

# A short soak of the CLI (scripts/soak.sh alone runs 10 minutes); SOAK_SECONDS=0 leaves it out.
export SOAK_SECONDS=${SOAK_SECONDS:-120}
if [ "$SOAK_SECONDS" != 0 ]; then
  phase "soak"
  scripts/soak.sh
fi

phase "all tests passed"
