#!/usr/bin/env bash
# Builds the Debian package build-package/zelkor-gui-demo_<version>_amd64.deb from the program
# as make run builds it, with CPack: the version is the CMake project's, the install rules are the
# project's own, and dpkg-shlibdeps works out the library dependencies.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
cmake -S . -B build-package -DGUI_DEMO_PACKAGE=ON -DGUI_DEMO_TESTS=OFF -DGUI_DEMO_WINDOW_TESTS=OFF \
    >/dev/null
cmake --build build-package -j "$(nproc)"
(cd build-package && cpack -G DEB >/dev/null)
echo "package: $root/build-package/$(cd build-package && ls zelkor-gui-demo_*.deb)"
