#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs; idempotent and quiet: only missing packages
# are fetched.
#   scripts/setup.sh           building and running (scripts/run.sh)
#   scripts/setup.sh --tests   also the tests, their peers, the fuzzers and the benchmarks
#                              (scripts/test.sh)
set -euo pipefail

packages=(
  build-essential cmake pkg-config ccache
  libcairo2-dev libcli11-dev locales
  help2man
)
if [ "${1:-}" = --tests ]; then
  packages+=(
    libgtest-dev libgmock-dev libbenchmark-dev
    gpsd gpsd-clients gpsbabel
    chromium
    clang libclang-rt-14-dev
    python3 hyperfine
    binutils man-db bash-completion
  )
  # The benchmark peers need Node.js; a machine that already has it keeps its own (with npm).
  command -v node >/dev/null 2>&1 || packages+=(nodejs npm)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup: missing packages: ${missing[*]} (run as root to install them)" >&2
    exit 1
  fi
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# gpsd is started by the tests themselves on loopback; keep the system service out of the way.
if command -v systemctl >/dev/null 2>&1; then
  systemctl disable --now gpsd.socket gpsd.service >/dev/null 2>&1 || true
fi
