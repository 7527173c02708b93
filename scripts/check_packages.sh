#!/usr/bin/env bash
# Installs the given .deb files with apt-get, checks what a user and a developer get from them,
# then removes them and checks that none of their files is left. Run as root:
#   scripts/check_packages.sh build-pkg/packages/*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
here=$PWD
debs=()
for deb in "$@"; do debs+=("$(realpath "$deb")"); done
names=()
for deb in "${debs[@]}"; do names+=("$(dpkg-deb -f "$deb" Package)"); done
work=$(mktemp -d)
trap 'apt-get remove -y -qq "${names[@]}" >/dev/null 2>&1 || true; rm -rf "$work"' EXIT

export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "${debs[@]}" >/dev/null
for name in "${names[@]}"; do dpkg -L "$name"; done | sort -u >"$work/files"

echo "== installed: ${names[*]}"
norvgpssim --version
fail() { echo "$*"; exit 1; }
man -P cat norvgpssim 2>/dev/null | grep -q -- '--scenario' || fail "man norvgpssim shows no page"
echo "man norvgpssim: ok"
bash -c '. /usr/share/bash-completion/bash_completion
         . /usr/share/bash-completion/completions/norvgpssim
         COMP_LINE="norvgpssim --sce"; COMP_POINT=${#COMP_LINE}; COMP_WORDS=($COMP_LINE)
         COMP_CWORD=1; _norvgpssim norvgpssim --sce norvgpssim
         [[ ${COMPREPLY[*]} == --scenario ]]' || fail "bash completion does not complete --sce"
echo "bash completion: ok"

# The consumers of the test suite, against the system's -dev package this time.
cmake -S tests/install/consumer -B "$work/find-package" >/dev/null
cmake --build "$work/find-package" >/dev/null
# shellcheck disable=SC2046  # the flags are words
c++ -std=c++20 tests/install/consumer/gga.cpp -o "$work/pkg-config" $(pkg-config --cflags --libs norvgpssim)
a=$("$work/find-package/gga") b=$("$work/pkg-config")
[[ $a == \$GPGGA,* && $a == "$b" ]] || { echo "consumers differ: '$a' '$b'"; exit 1; }
echo "consumers (find_package, pkg-config): $a"

apt-get remove -y -qq "${names[@]}" >/dev/null
left=()
# Every file is gone, and every directory of the project's own (shared ones like /usr/lib stay).
while read -r file; do
  if [ -d "$file" ]; then
    shopt -s nocasematch
    [[ $file == *norv* ]] && left+=("$file")
    shopt -u nocasematch
  elif [ -e "$file" ] || [ -L "$file" ]; then
    left+=("$file")
  fi
done <"$work/files"
if ((${#left[@]})); then
  echo "left behind after apt-get remove:"; printf '  %s\n' "${left[@]}"; exit 1
fi
# Not even a record in dpkg's database (a package with maintainer scripts would stay in "rc").
if { dpkg-query -W -f='${db:Status-Abbrev}\n' "${names[@]}" 2>/dev/null || true; } | grep -qv '^un'; then
  echo "dpkg still knows them:"; dpkg -l "${names[@]}"; exit 1
fi
echo "== removed: nothing of ${names[*]} is left"
