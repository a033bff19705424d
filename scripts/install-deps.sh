#!/usr/bin/env bash
# Installs the Debian packages a build needs; with "web" also what the page build needs, with
# "windows" what the Windows build needs, with "package" what the Debian package needs, and with
# "test" everything the tests need (the page, Windows and package builds, the browser, Wine and the
# package checkers included).
# Packages already installed are skipped, so a second run does nothing.
set -euo pipefail

build=(cmake g++ make pkg-config dpkg-dev debian-archive-keyring libfmt-dev libatk-bridge2.0-dev
    libx11-dev libxrandr-dev libxinerama-dev libxcursor-dev libxi-dev libgl-dev libgl1-mesa-dri)
web=(emscripten)
windows=(g++-mingw-w64-x86-64-posix librsvg2-bin icoutils)
package=(librsvg2-bin file)
test=(libgtest-dev libbenchmark-dev clang-format xvfb xauth xdotool valgrind zlib1g-dev git chromium
    file wine wine64 lintian piuparts debootstrap desktop-file-utils appstream
    dbus libglib2.0-bin at-spi2-core python3-pyatspi orca)

wanted=("${build[@]}")
[[ "${1:-}" == web || "${1:-}" == test ]] && wanted+=("${web[@]}")
[[ "${1:-}" == windows || "${1:-}" == test ]] && wanted+=("${windows[@]}")
[[ "${1:-}" == package ]] && wanted+=("${package[@]}")
[[ "${1:-}" == test ]] && wanted+=("${test[@]}")

missing=()
for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
# The browser tests run on Node.js with npm; any install of them will do.
if [[ "${1:-}" == test ]]; then
    command -v node >/dev/null || missing+=(nodejs)
    command -v npm >/dev/null || missing+=(npm)
fi
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "installing: ${missing[*]}"
sudo=""
[[ $(id -u) -ne 0 ]] && sudo=sudo
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
