#!/usr/bin/env bash
# The release files in dist/ (scripts/dist.sh), checked as a user would get them:
#
#   package_test.sh ROOT install   piuparts installs the .deb on a clean system of the release it
#                                  was built on, runs the demo there
#                                  (piuparts/post_install_run_the_demo), removes and purges it,
#                                  and finds nothing left behind
#   package_test.sh ROOT install RELEASE   the same on a clean system of another release
#   package_test.sh ROOT checks    lintian (no error, no warning), desktop-file-validate and
#                                  appstreamcli on what the .deb holds
#   package_test.sh ROOT dist      every file matches SHA256SUMS, and the web zip unpacks to a page
#                                  that passes the browser test's loading check
set -euo pipefail
root=$1
dist="$root/dist"
deb=$(ls "$dist"/zelkor-gui-demo_*_amd64.deb)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

case $2 in
install)
    # The package is built against this system's libraries, so it is tested on a clean system
    # of the same release, made once (about a minute) and kept, from the system's own mirror.
    release=${3:-$(. /etc/os-release && echo "$VERSION_CODENAME")}
    base="$root/.deps/piuparts/$release.tgz"
    mirror=$("$root/scripts/debian-mirror.sh")
    if [[ ! -f "$base" ]]; then
        mkdir -p "$(dirname "$base")"
        debootstrap --variant=minbase "$release" "$work/root" "$mirror" >/dev/null
        tar -C "$work/root" -czf "$base.part" . && mv "$base.part" "$base"
    fi
    # Debian 13's debconf keeps an empty temporary folder that Debian 12's piuparts does not yet
    # know to be debconf's own.
    piuparts --basetgz "$base" --distribution "$release" --mirror "$mirror main" \
        --ignore=/var/cache/debconf/tmp.ci/ \
        --scriptsdir "$root/tests/package/piuparts" "$deb" >"$work/log" 2>&1 || {
        grep -E "FAIL|ERROR|not found" "$work/log" || tail -n 40 "$work/log"
        exit 1
    }
    grep -E "installed program|PASS" "$work/log"
    ;;
checks)
    lintian --fail-on error,warning "$deb"
    dpkg-deb -x "$deb" "$work/tree"
    desktop-file-validate "$work"/tree/usr/share/applications/*.desktop
    appstreamcli validate --no-net "$work"/tree/usr/share/metainfo/*.metainfo.xml
    ;;
dist)
    (cd "$dist" && sha256sum --check --strict SHA256SUMS)
    listed=$(awk '{ print $2 }' "$dist/SHA256SUMS" | sort | paste -sd ' ')
    present=$(cd "$dist" && ls | grep -v '^SHA256SUMS$' | sort | paste -sd ' ')
    [[ "$listed" == "$present" ]] || { echo "SHA256SUMS lists $listed; dist/ holds $present"; exit 1; }
    (cd "$work" && cmake -E tar xf "$(ls "$dist"/gui_demo-*-web.zip)")
    page=$(ls -d "$work"/gui_demo-*-web)
    for file in index.html screen_mirror.js gui_demo.js gui_demo.wasm LICENSE.txt LICENSE-raylib.txt LICENSE-fmt.txt; do
        [[ -s "$page/$file" ]] || { echo "the web zip has no $file"; exit 1; }
    done
    cd "$root/tests/browser"
    GUI_DEMO_PAGE="$page" node --test --test-name-pattern="first frame loads" page.test.mjs
    ;;
*)
    echo "usage: $0 ROOT install|checks|dist" >&2
    exit 2
    ;;
esac
