#!/usr/bin/env bash
# Builds the program against a raylib installed elsewhere, once with only its CMake package and
# once with only its pkg-config file, as distributions ship it; installs each build, and checks
# that the installed program finds that raylib, opens its window and exits 0 on Escape.
# The first is a Release build with every test program, which must build without a warning too.
# The two prefixes are copies of the bootstrapped raylib, so nothing is built twice.
#
#   tests/build/build_paths.sh SOURCE_DIR
set -euo pipefail
src=$(cd "$1" && pwd)
bootstrapped="$src/.deps/raylib"
if [[ ! -f "$bootstrapped/.built" ]]; then
    echo "no bootstrapped raylib to copy; skipped"
    exit 77
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The bootstrap's own test for "the system has raylib" must say no here, or the checks below
# would prove nothing.
if cmake -S "$src/cmake/find-raylib" -B "$tmp/probe-none" >/dev/null 2>&1; then
    echo "this machine has a raylib of its own; skipped"
    exit 77
fi

# Makes a raylib prefix holding only the CMake package (cmake) or only the .pc file (pkgconfig).
make_prefix() {
    local dir="$tmp/raylib-$1"
    cp -a "$bootstrapped" "$dir"
    rm -f "$dir/.built"
    case $1 in
        cmake) rm -rf "$dir/lib/pkgconfig" ;;
        pkgconfig)
            rm -rf "$dir/lib/cmake"
            sed -i "s|^prefix=.*|prefix=$dir|" "$dir/lib/pkgconfig/raylib.pc"
            ;;
    esac
    echo "$dir"
}

# Starts the installed program in a private X server, waits for its window, presses Escape.
run_installed() {
    "$1" >/dev/null 2>"$tmp/stderr" &
    local pid=$!
    if ! timeout 20 xdotool search --sync --onlyvisible --name MERIDAX >/dev/null 2>&1 </dev/null; then
        kill "$pid"
        return 1
    fi
    sleep 0.5
    xdotool search --name MERIDAX windowfocus --sync
    xdotool keydown Escape && sleep 0.2 && xdotool keyup Escape
    local status=0
    wait "$pid" || status=$?
    return "$status"
}

for kind in cmake pkgconfig; do
    prefix=$(make_prefix "$kind")
    if [[ $kind == cmake ]]; then
        find=(-DCMAKE_PREFIX_PATH="$prefix")
        build=(-DCMAKE_BUILD_TYPE=Release -DGUI_DEMO_TESTS=ON -DGUI_DEMO_WINDOW_TESTS=ON)
        target=all
        export -n PKG_CONFIG_PATH
    else
        find=()
        build=(-DGUI_DEMO_TESTS=OFF -DGUI_DEMO_WINDOW_TESTS=OFF)
        target=gui_demo
        export PKG_CONFIG_PATH="$prefix/lib/pkgconfig"
    fi

    echo "== raylib with only its $kind files"
    cmake -S "$src/cmake/find-raylib" -B "$tmp/probe-$kind" "${find[@]}" >/dev/null ||
        fail "the bootstrap would not see the raylib with only its $kind files"
    cmake -S "$src" -B "$tmp/build-$kind" "${find[@]}" "${build[@]}" >"$tmp/configure.log" ||
        { cat "$tmp/configure.log"; fail "configure"; }
    grep -q "raylib 6.*$prefix/lib/libraylib.so" "$tmp/configure.log" ||
        { cat "$tmp/configure.log"; fail "the build did not take the raylib in $prefix"; }
    cmake --build "$tmp/build-$kind" -j "$(nproc)" --target "$target" >"$tmp/build.log" 2>&1 ||
        { grep -B2 -A8 -E "error|warning" "$tmp/build.log" | head -60; fail "build (${build[*]})"; }
    cmake --install "$tmp/build-$kind" --prefix "$tmp/install-$kind" >/dev/null || fail "install"

    program="$tmp/install-$kind/bin/gui_demo"
    resolved=$(env -u LD_LIBRARY_PATH ldd "$program" | awk '/libraylib/ { print $3 }')
    [[ $resolved == "$prefix"/lib/* ]] ||
        fail "the installed program loads raylib from '$resolved', not from $prefix"
    status=0
    PROGRAM=$program "$src/scripts/with-xvfb.sh" bash -c "$(declare -f run_installed); tmp=$tmp; run_installed \"\$PROGRAM\"" ||
        status=$?
    [[ $status -eq 0 ]] || { cat "$tmp/stderr"; fail "the installed program ended with status $status"; }
    echo "ok: linked against $resolved, installed copy exited 0 on Escape"
done
