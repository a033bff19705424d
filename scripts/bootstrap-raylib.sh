#!/usr/bin/env bash
# Builds raylib 6.0 as a shared library into .deps/raylib, from Debian's own source packages.
#
# Debian 12 ships no raylib. The raylib 6.0 source package needs GLFW >= 3.4, which Debian 12 does
# not have either, so both sources are fetched through a private apt configuration (the system's
# apt sources stay untouched) from the mirror the system already uses. GLFW is built as a static,
# position-independent library and linked into libraylib.so.600, so the system's GLFW 3.3 can never
# be loaded in its place at run time.
#
# Skipped when the prefix already holds the library, or when the program's own build would find
# raylib >= 6.0 on the system (cmake/find-raylib runs the very search CMakeLists.txt runs).
# The downloaded source files stay in .deps/sources, so a rebuild does not fetch them again.
#
#   scripts/bootstrap-raylib.sh            build and install into .deps/raylib
#   scripts/bootstrap-raylib.sh --sources  only fetch the sources and print their folder
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
deps="$root/.deps"
prefix="$deps/raylib"
stamp="$prefix/.built"
sources="$deps/sources"
jobs=$(nproc)

# Fetches the raylib 6.0.x and glfw3 3.4.x source packages into $sources, unless already there.
fetch_sources() {
    if [[ -f "$sources/.fetched" ]]; then
        return
    fi
    local mirror
    mirror=$("$root/scripts/debian-mirror.sh")

    # raylib 6.0 is in sid and forky; GLFW 3.4 stays in trixie while sid moves past it.
    local apt_dir="$deps/apt" keyring=/usr/share/keyrings/debian-archive-keyring.gpg suite
    mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
    for suite in sid forky trixie; do
        echo "deb-src [signed-by=$keyring] $mirror $suite main"
    done > "$apt_dir/sources.list"
    apt_opts=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o Dir::Etc::SourceParts=/dev/null
        -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache" -o APT::Sandbox::User=root)
    apt-get "${apt_opts[@]}" -qq update

    local raylib_version glfw_version
    raylib_version=$(newest raylib 6.0)
    glfw_version=$(newest glfw3 3.4)
    if [[ -z "$raylib_version" || -z "$glfw_version" ]]; then
        echo "raylib: Debian's sid, forky and trixie list no raylib 6.0.x with a glfw3 3.4.x;" \
            "raylib: $(listed raylib), glfw3: $(listed glfw3)" >&2
        exit 1
    fi
    rm -rf "$sources"
    mkdir -p "$sources"
    (cd "$sources" && apt-get "${apt_opts[@]}" -qq source --download-only \
        "raylib=$raylib_version" "glfw3=$glfw_version" >/dev/null)
    echo "raylib $raylib_version, glfw3 $glfw_version" > "$sources/.fetched"
}

# Every source version of a package the private lists hold, newest first, on one line.
listed() {
    local versions
    versions=$(apt-cache "${apt_opts[@]}" showsrc "$1" 2>/dev/null | awk '/^Version:/ { print $2 }' |
        sort -Vru | paste -sd ' ')
    echo "${versions:-none}"
}

# Newest source version of a package within a version series, e.g. "6.0" or "3.4".
newest() {
    apt-cache "${apt_opts[@]}" showsrc "$1" | awk '/^Version:/ { print $2 }' |
        grep -E "^$2([.+~-]|$)" | sort -V | tail -n 1
}

# Unpacks a fetched source package into $2, afresh.
unpack() {
    rm -rf "$2"
    # apt has already checked every file against the signed source index; the .dsc signatures are
    # by maintainer keys this machine does not hold, so dpkg-source is told not to check them again.
    dpkg-source --no-check -x "$sources"/"$1"_*.dsc "$2" >/dev/null
}

if [[ "${1:-}" == --sources ]]; then
    fetch_sources
    echo "$sources"
    exit 0
fi

if [[ -f "$stamp" ]]; then
    echo "raylib: using $(cat "$stamp") in $prefix"
    exit 0
fi
probe=$(mktemp -d)
if cmake -S "$root/cmake/find-raylib" -B "$probe" >"$probe/log" 2>&1; then
    echo "raylib: using the system's: $(grep -o 'raylib [0-9].*' "$probe/log" | head -n 1)"
    rm -rf "$probe"
    exit 0
fi
rm -rf "$probe"

start=$SECONDS
fetch_sources
echo "raylib: building $(cat "$sources/.fetched")"
build_dir="$deps/build"
rm -rf "$build_dir"
mkdir -p "$build_dir"
unpack glfw3 "$build_dir/glfw-src"
unpack raylib "$build_dir/raylib-src"

glfw_prefix="$build_dir/glfw-install"
cmake -S "$build_dir/glfw-src" -B "$build_dir/glfw" -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_SHARED_LIBS=OFF -DCMAKE_POSITION_INDEPENDENT_CODE=ON \
    -DGLFW_BUILD_X11=ON -DGLFW_BUILD_WAYLAND=OFF \
    -DGLFW_BUILD_EXAMPLES=OFF -DGLFW_BUILD_TESTS=OFF -DGLFW_BUILD_DOCS=OFF \
    -DCMAKE_INSTALL_PREFIX="$glfw_prefix" >/dev/null
cmake --build "$build_dir/glfw" -j "$jobs" >/dev/null
cmake --install "$build_dir/glfw" >/dev/null

# F12 screen capture is compiled out: by default EndDrawing would write screenshotNNN.png into the
# working directory, and this program writes no files.
cmake -S "$build_dir/raylib-src" -B "$build_dir/raylib" -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_SHARED_LIBS=ON -DUSE_EXTERNAL_GLFW=ON -DOpenGL_GL_PREFERENCE=GLVND \
    -DBUILD_EXAMPLES=OFF -DCMAKE_PREFIX_PATH="$glfw_prefix" \
    -DCMAKE_C_FLAGS="-DSUPPORT_SCREEN_CAPTURE=0" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_INSTALL_LIBDIR=lib >/dev/null
cmake --build "$build_dir/raylib" -j "$jobs" >/dev/null
rm -rf "$prefix"
cmake --install "$build_dir/raylib" >/dev/null
# GLFW lives inside the library, so pkg-config must not go looking for a glfw3 package.
sed -i '/^Requires.private:/d' "$prefix/lib/pkgconfig/raylib.pc"

cp "$sources/.fetched" "$stamp"
echo "raylib: built $(cat "$stamp") in $((SECONDS - start)) s"
