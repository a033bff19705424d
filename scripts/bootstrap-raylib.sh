#!/usr/bin/env bash
# Builds raylib 6.0 as a shared library into .deps/raylib, from Debian's own source packages.
#
# Debian 12 ships no raylib. The raylib 6.0 source package needs GLFW >= 3.4, which Debian 12 does
# not have either, so both sources are fetched through a private apt configuration (the system's
# apt sources stay untouched) from the mirror the system already uses. GLFW is built as a static,
# position-independent library and linked into libraylib.so.600, so the system's GLFW 3.3 can never
# be loaded in its place at run time.
#
# Skipped when the prefix already holds the library, or when the system already has raylib >= 6.0.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
deps="$root/.deps"
prefix="$deps/raylib"
stamp="$prefix/.built"

if [[ -f "$stamp" ]]; then
    echo "raylib: using $(cat "$stamp") in $prefix"
    exit 0
fi
if pkg-config --atleast-version=6.0 raylib 2>/dev/null; then
    echo "raylib: using the system's raylib $(pkg-config --modversion raylib)"
    exit 0
fi

start=$SECONDS

# The mirror of the system's own Debian sources: the URIs line of a deb822 file, or a classic deb line.
mirror=""
for f in /etc/apt/sources.list.d/*.sources; do
    [[ -f "$f" ]] || continue
    mirror=$(awk '/^URIs:/ { for (i = 2; i <= NF; i++) if ($i !~ /security/) { print $i; exit } }' "$f")
    [[ -n "$mirror" ]] && break
done
if [[ -z "$mirror" && -f /etc/apt/sources.list ]]; then
    mirror=$(awk '$1 == "deb" && $0 !~ /security/ { for (i = 2; i <= NF; i++) if ($i ~ /^[a-z]+:\/\//) { print $i; exit } }' \
        /etc/apt/sources.list)
fi
if [[ -z "$mirror" ]]; then
    echo "raylib: no Debian mirror found in the system's apt sources" >&2
    exit 1
fi

apt_dir="$deps/apt"
src_dir="$deps/src"
build_dir="$deps/build"
mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$src_dir" "$build_dir"
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
cat > "$apt_dir/sources.list" <<LIST
deb-src [signed-by=$keyring] $mirror sid main
deb-src [signed-by=$keyring] $mirror trixie main
LIST
apt_opts=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o Dir::Etc::SourceParts=/dev/null
    -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache" -o APT::Sandbox::User=root)
apt-get "${apt_opts[@]}" -qq update

# Newest source version of a package within a version series, e.g. "6.0" or "3.4".
newest() {
    apt-cache "${apt_opts[@]}" showsrc "$1" | awk '/^Version:/ { print $2 }' |
        grep -E "^$2([.+~-]|$)" | sort -V | tail -n 1
}
raylib_version=$(newest raylib 6.0)
glfw_version=$(newest glfw3 3.4)
if [[ -z "$raylib_version" || -z "$glfw_version" ]]; then
    echo "raylib: source packages not found (raylib 6.0: '$raylib_version', glfw3 3.4: '$glfw_version')" >&2
    exit 1
fi
echo "raylib: building raylib $raylib_version with glfw3 $glfw_version"

rm -rf "$src_dir" "$build_dir"
mkdir -p "$src_dir" "$build_dir"
(cd "$src_dir" && apt-get "${apt_opts[@]}" -qq source --download-only \
    "raylib=$raylib_version" "glfw3=$glfw_version" >/dev/null)
dpkg-source --no-check -x "$src_dir"/glfw3_*.dsc "$src_dir/glfw" >/dev/null
dpkg-source --no-check -x "$src_dir"/raylib_*.dsc "$src_dir/raylib" >/dev/null

# apt has already checked every file against the signed source index; the .dsc signatures are
# by maintainer keys this machine does not hold, so dpkg-source is told not to check them again.
jobs=$(nproc)
glfw_prefix="$build_dir/glfw-install"
cmake -S "$src_dir/glfw" -B "$build_dir/glfw" -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_SHARED_LIBS=OFF -DCMAKE_POSITION_INDEPENDENT_CODE=ON \
    -DGLFW_BUILD_X11=ON -DGLFW_BUILD_WAYLAND=OFF \
    -DGLFW_BUILD_EXAMPLES=OFF -DGLFW_BUILD_TESTS=OFF -DGLFW_BUILD_DOCS=OFF \
    -DCMAKE_INSTALL_PREFIX="$glfw_prefix" >/dev/null
cmake --build "$build_dir/glfw" -j "$jobs" >/dev/null
cmake --install "$build_dir/glfw" >/dev/null

# F12 screen capture is compiled out: by default EndDrawing would write screenshotNNN.png into the
# working directory, and this program writes no files.
cmake -S "$src_dir/raylib" -B "$build_dir/raylib" -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_SHARED_LIBS=ON -DUSE_EXTERNAL_GLFW=ON -DOpenGL_GL_PREFERENCE=GLVND \
    -DBUILD_EXAMPLES=OFF -DCMAKE_PREFIX_PATH="$glfw_prefix" \
    -DCMAKE_C_FLAGS="-DSUPPORT_SCREEN_CAPTURE=0" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_INSTALL_LIBDIR=lib >/dev/null
cmake --build "$build_dir/raylib" -j "$jobs" >/dev/null
cmake --install "$build_dir/raylib" >/dev/null

echo "raylib $raylib_version, glfw3 $glfw_version" > "$stamp"
echo "raylib: built raylib $raylib_version with glfw3 $glfw_version in $((SECONDS - start)) s"
