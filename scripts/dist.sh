#!/usr/bin/env bash
# Writes dist/ with every release file, each named with the CMake project version: the Debian
# package, the Windows zip, the web page as one zip (index.html, gui_demo.js, gui_demo.wasm and
# the licence texts of what they contain), and SHA256SUMS over them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/build-package.sh >/dev/null
scripts/build-windows.sh >/dev/null
scripts/build-web.sh >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-web/CMakeCache.txt)

rm -rf dist build-web/dist
mkdir -p dist
cp "build-package/zelkor-gui-demo_${version}_amd64.deb" dist/
cp "build-win/gui_demo-${version}-windows-x86_64.zip" dist/

# The page: our code (and screen_mirror.js), raylib's, and emscripten's runtime and C/C++
# libraries compiled into the .js and .wasm; Debian's copyright file for emscripten holds every
# notice those carry.
web="gui_demo-${version}-web"
mkdir -p "build-web/dist/$web"
cp build-web/page/index.html build-web/page/screen_mirror.js build-web/page/gui_demo.js \
    build-web/page/gui_demo.wasm \
    "build-web/dist/$web/"
cp LICENSE "build-web/dist/$web/LICENSE.txt"
tar -xzOf .deps/sources/raylib_*.orig.tar.gz --wildcards '*/LICENSE' --exclude='*/*/*/LICENSE' \
    > "build-web/dist/$web/LICENSE-raylib.txt"
cp /usr/share/doc/emscripten/copyright "build-web/dist/$web/LICENSE-emscripten.txt"
cp /usr/share/doc/libfmt-dev/copyright "build-web/dist/$web/LICENSE-fmt.txt"
(cd build-web/dist && cmake -E tar cf "$root/dist/$web.zip" --format=zip "$web")

(cd dist && sha256sum -- *.deb *.zip > SHA256SUMS)
ls -l dist
