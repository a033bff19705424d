#!/usr/bin/env bash
# Builds the page into build-web/page: index.html, screen_mirror.js, gui_demo.js and gui_demo.wasm,
# which any static web server can serve as they are.
#
# raylib for the web is built once into .deps/raylib-web from the same Debian source package the
# desktop bootstrap downloaded, with emscripten from Debian.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
prefix="$root/.deps/raylib-web"
jobs=$(nproc)
# Debian's emscripten finds the node modules it needs (acorn, for optimized builds) only here.
export NODE_PATH=/usr/share/nodejs

if [[ ! -f "$prefix/.built" ]]; then
    start=$SECONDS
    sources=$(scripts/bootstrap-raylib.sh --sources | tail -n 1)
    build_dir="$root/.deps/build-web"
    rm -rf "$build_dir" "$prefix"
    mkdir -p "$build_dir"
    # apt checked the files against the signed source index when it fetched them.
    dpkg-source --no-check -x "$sources"/raylib_*.dsc "$build_dir/raylib-src" >/dev/null
    # platform/web/glfw_compat.h supplies two GLFW 3.3 functions emscripten's GLFW 3.2 lacks.
    emcmake cmake -S "$build_dir/raylib-src" -B "$build_dir/raylib" -DPLATFORM=Web \
        -DBUILD_EXAMPLES=OFF -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_C_FLAGS="-include $root/platform/web/glfw_compat.h" \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_INSTALL_LIBDIR=lib >/dev/null
    cmake --build "$build_dir/raylib" -j "$jobs" >/dev/null
    cmake --install "$build_dir/raylib" >/dev/null
    cp "$sources/.fetched" "$prefix/.built"
    echo "raylib for the web: built $(cat "$prefix/.built") in $((SECONDS - start)) s"
fi

# Under emscripten's toolchain file find_package looks only inside its sysroot, so raylib is
# named directly.
emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release \
    -Draylib_DIR="$prefix/lib/cmake/raylib" >/dev/null
cmake --build build-web -j "$jobs"
echo "page: $root/build-web/page"
