#!/usr/bin/env bash
# Builds the Windows zip, build-win/gui_demo-<version>-windows-x86_64.zip, with Debian's
# MinGW-w64: the program from the desktop program's own sources, and raylib 6.0 as libraylib.dll
# beside it. Both link the C and C++ runtimes in, so the zip needs nothing but Windows itself.
#
# raylib for Windows is built once into .deps/raylib-win from the same Debian source packages the
# desktop bootstrap downloaded. Debian's raylib tarball leaves out raylib's copy of GLFW, so the
# glfw3 3.4 source package goes back into that folder and is built into the DLL.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
prefix="$root/.deps/raylib-win"
toolchain="$root/cmake/mingw-w64.cmake"
jobs=$(nproc)

# What the DLL is built with; a prefix built otherwise is built again.
flavour="glfw exported"
if [[ ! -f "$prefix/.built" || "$(tail -n 1 "$prefix/.built")" != "$flavour" ]]; then
    start=$SECONDS
    sources=$(scripts/bootstrap-raylib.sh --sources | tail -n 1)
    build_dir="$root/.deps/build-win"
    rm -rf "$build_dir" "$prefix"
    mkdir -p "$build_dir"
    # apt checked the files against the signed source index when it fetched them.
    dpkg-source --no-check -x "$sources"/raylib_*.dsc "$build_dir/raylib-src" >/dev/null
    dpkg-source --no-check -x "$sources"/glfw3_*.dsc "$build_dir/glfw-src" >/dev/null
    rm -rf "$build_dir/raylib-src/src/external/glfw"
    mv "$build_dir/glfw-src" "$build_dir/raylib-src/src/external/glfw"
    # No audio (the program plays none) and no F12 screenshots (it writes no files). GLFW's
    # functions are exported beside raylib's (_GLFW_BUILD_DLL), so the program can chain onto
    # raylib's input callbacks, as it does on Linux. -static links libgcc into the DLL, so it
    # needs no MinGW runtime DLL.
    cmake -S "$build_dir/raylib-src" -B "$build_dir/raylib" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON -DUSE_EXTERNAL_GLFW=OFF \
        -DBUILD_EXAMPLES=OFF -DCMAKE_C_FLAGS="-DSUPPORT_SCREEN_CAPTURE=0 -DSUPPORT_MODULE_RAUDIO=0 -D_GLFW_BUILD_DLL" \
        -DCMAKE_SHARED_LINKER_FLAGS=-static \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_INSTALL_LIBDIR=lib >/dev/null
    cmake --build "$build_dir/raylib" -j "$jobs" >/dev/null
    cmake --install "$build_dir/raylib" --strip >/dev/null
    # Their licence texts travel with the DLL, in Windows line endings.
    mkdir -p "$prefix/share/licenses"
    sed 's/$/\r/' "$build_dir/raylib-src/LICENSE" > "$prefix/share/licenses/LICENSE-raylib.txt"
    sed 's/$/\r/' "$build_dir/raylib-src/src/external/glfw/LICENSE.md" \
        > "$prefix/share/licenses/LICENSE-GLFW.txt"
    { cat "$sources/.fetched"; echo "$flavour"; } > "$prefix/.built"
    echo "raylib for Windows: built $(head -n 1 "$prefix/.built") in $((SECONDS - start)) s"
fi

cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DGUI_DEMO_TESTS=OFF -DGUI_DEMO_WINDOW_TESTS=OFF >/dev/null
cmake --build build-win -j "$jobs"
(cd build-win && cpack -G ZIP >/dev/null)
echo "zip: $root/build-win/$(cd build-win && ls gui_demo-*-windows-x86_64.zip)"
