#!/usr/bin/env bash
# Builds the Debian packages in build-pkg/packages: the runtime library, its -dev package and the
# norvgpssim program with its man page and bash completion.
#   scripts/package.sh            build the three .deb files
#   scripts/package.sh --check    then, as root, install them, try them and remove them again
set -euo pipefail
cd "$(dirname "$0")/.."
here=$PWD
build=$here/build-pkg
scripts/setup.sh
scripts/build.sh "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
  -DBUILD_SHARED_LIBS=ON -DNORV_BUILD_APP=ON -DNORV_BUILD_TESTS=OFF -DNORV_SANITIZE= \
  -DNORV_EARLIER_GENERATION=OFF
rm -rf "$build/packages"
(cd "$build" && cpack -G DEB -B "$build/packages" >/dev/null)
rm -rf "$build/packages/_CPack_Packages"
# CPack gives a package with a shared library postinst and postrm scripts that run ldconfig; a
# postrm keeps a removed package in dpkg's database ("rc") until it is purged. The library's
# package runs ldconfig through its trigger instead (cmake/deb/triggers), as Debian's own
# libraries do, so the scripts are taken out.
for deb in "$build"/packages/*.deb; do
  unpacked=$build/packages/unpacked
  rm -rf "$unpacked" && dpkg-deb -R "$deb" "$unpacked"
  if grep -qs ldconfig "$unpacked/DEBIAN/triggers"; then
    rm -f "$unpacked/DEBIAN/postinst" "$unpacked/DEBIAN/postrm"
    dpkg-deb --root-owner-group -b "$unpacked" "$deb" >/dev/null
  fi
  rm -rf "$unpacked"
done
ls -1 "$build"/packages/*.deb

[ "${1:-}" = --check ] || exit 0
scripts/check_packages.sh "$build"/packages/*.deb
