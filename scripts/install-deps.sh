#!/usr/bin/env bash
# Installs the Debian packages a build needs, and with "test" also what the tests need.
# Packages already installed are skipped, so a second run does nothing.
set -euo pipefail

build=(cmake g++ make pkg-config dpkg-dev debian-archive-keyring
    libx11-dev libxrandr-dev libxinerama-dev libxcursor-dev libxi-dev libgl-dev libgl1-mesa-dri)
test=(libgtest-dev libbenchmark-dev clang-format xvfb xauth xdotool valgrind zlib1g-dev git)

wanted=("${build[@]}")
[[ "${1:-}" == test ]] && wanted+=("${test[@]}")

missing=()
for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "installing: ${missing[*]}"
sudo=""
[[ $(id -u) -ne 0 ]] && sudo=sudo
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
