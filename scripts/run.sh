#!/usr/bin/env bash
# Installs what building and running need, builds the library and the program (no tests: those
# are scripts/test.sh's, which reconfigures build/ for them) and runs the simulator on its
# built-in scenario (Ctrl-C to stop).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build -DNORV_BUILD_TESTS=OFF >/dev/null
exec build/bin/norvgpssim "$@"
