#!/usr/bin/env bash
# Soak test of the CLI: 20 epochs a second with every sentence kind and a repeating route, on
# stdout, a serial line (a pseudo-terminal), its own pseudo-terminal read by gpsd, and TCP with
# clients coming and going. Checks every epoch at every reader, gpsd's fixes and memory.
#   scripts/soak.sh                 10 minutes (SOAK_SECONDS=120 for the CI length)
#   SOAK_BUILD_DIR=build-asan scripts/soak.sh   against another build tree
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${SOAK_SECONDS:-600}
build=${SOAK_BUILD_DIR:-build}
[ -x "$build/bin/norvgpssim" ] || scripts/build.sh "$build"
echo "== soak: $build/bin/norvgpssim for $seconds s at 20 Hz"
python3 scripts/soak.py --cli "$build/bin/norvgpssim" --seconds "$seconds" --rate 20
