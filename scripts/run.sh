#!/usr/bin/env bash
# Installs, builds and runs the simulator on its built-in scenario (Ctrl-C to stop).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build -DNORV_BUILD_TESTS=OFF >/dev/null
exec build/bin/norvgpssim "$@"
