#!/usr/bin/env bash
# The installed library as its users meet it. One check per call:
#   install_test.sh install|find-package|pkg-config|symbols|headers|soname BUILD SOURCE [REFERENCE]
# "install" installs BUILD into BUILD/install-test/first and moves the tree to .../moved, so every
# other check also shows that the installed files do not depend on where they were installed.
# REFERENCE is a program of the build tree that prints the GGA of tests/install/consumer/gga.cpp.
set -euo pipefail
check=$1 build=$2 source=$3 reference=${4:-}
work=$build/install-test
prefix=$work/moved
library() { find "$prefix" -name 'libNorvGPSSimPack.so' | head -n1; }
same_gga() {  # same_gga PROGRAM: its output is the build tree's own GGA, byte for byte
  local got expected
  got=$("$1") expected=$("$reference")
  [[ $expected == \$GPGGA,* ]] || { echo "reference printed no GGA: '$expected'"; return 1; }
  [[ $got == "$expected" ]] || { echo "consumer: '$got'"; echo "library:  '$expected'"; return 1; }
  echo "$got"
}

case $check in
  install)
    rm -rf "$work"
    cmake --install "$build" --prefix "$work/first" >/dev/null
    mv "$work/first" "$prefix"
    ;;
  find-package)
    cmake -S "$source/tests/install/consumer" -B "$work/find-package" \
      -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$work/find-package" >/dev/null
    same_gga "$work/find-package/gga"
    ;;
  pkg-config)
    export PKG_CONFIG_PATH
    PKG_CONFIG_PATH=$(dirname "$(find "$prefix" -name norvgpssim.pc)")
    mkdir -p "$work/pkg-config"
    # shellcheck disable=SC2046  # the flags are words
    c++ -std=c++20 "$source/tests/install/consumer/gga.cpp" -o "$work/pkg-config/gga" \
      $(pkg-config --cflags --libs norvgpssim) -Wl,-rpath,"$(pkg-config --variable=libdir norvgpssim)"
    same_gga "$work/pkg-config/gga"
    ;;
  symbols)
    # The exported names, demangled; a new export is added to the kept list on purpose.
    kept=$source/tests/install/exported_symbols.txt
    nm -D --defined-only -P "$(library)" | cut -d' ' -f1 | c++filt | LC_ALL=C sort >"$work/symbols"
    diff -u <(grep -v '^#' "$kept") "$work/symbols" && echo "$(wc -l <"$work/symbols") exported symbols"
    ;;
  headers)
    # Only the public headers are installed.
    diff -u <(cd "$source/include" && find norv -name '*.h' | LC_ALL=C sort) \
            <(cd "$prefix/include" && find norv -type f | LC_ALL=C sort)
    ;;
  soname)
    soname=$(readelf -d "$(library)" | sed -n 's/.*(SONAME).*\[\(.*\)\]/\1/p')
    [[ $soname == libNorvGPSSimPack.so.2 ]] || { echo "SONAME '$soname'"; exit 1; }
    [[ -f $(dirname "$(library)")/$soname ]]
    ;;
  *) echo "unknown check $check" >&2; exit 2 ;;
esac
