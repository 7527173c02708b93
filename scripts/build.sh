#!/usr/bin/env bash
# Configures and builds one build tree: scripts/build.sh DIR [cmake options...]
# Every tree the project's checks build (test.sh, fuzz.sh, the developer's own) turns warnings
# into errors; a later option on the command line may turn that off again.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$1; shift
launcher=()
# Paths relative to the checkout, so a fresh clone reuses what another clone compiled.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNORV_WERROR=ON "${launcher[@]}" "$@" \
  >/dev/null
cmake --build "$dir" -j"$(nproc)"
