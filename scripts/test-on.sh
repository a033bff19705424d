#!/usr/bin/env bash
# Runs the whole test suite, make test, on another Debian release, as a newcomer on that release
# would: a fresh system made with debootstrap from this system's own mirror, the committed files
# cloned in, make test run inside, and the system's processes and mounts cleaned up afterwards.
# Prints the last lines of the run and its status. Not part of make test: it takes tens of
# minutes (a fresh system downloads every package the tests need).
#
#   scripts/test-on.sh trixie      Debian 13 (or bookworm, Debian 12)
#   scripts/test-on.sh trixie --keep    leaves the system in .deps/test-on/trixie to look into
#
# A fresh system lacks two settings this one has, and both are copied from it rather than written
# here: apt's configuration (/etc/apt/apt.conf.d, which may pin a frozen mirror) and the CA
# certificates npm is told to trust (NODE_EXTRA_CA_CERTS).
set -euo pipefail

suite=${1:?usage: scripts/test-on.sh SUITE [--keep], e.g. trixie or bookworm}
keep=${2:-}
root=$(cd "$(dirname "$0")/.." && pwd)
[[ $(id -u) -eq 0 ]] || { echo "test-on.sh: needs root (debootstrap, chroot, mounts)" >&2; exit 1; }

mirror=$("$root/scripts/debian-mirror.sh")
work="$root/.deps/test-on"
base="$work/$suite-base"  # the bare system, made once and kept
sys="$work/$suite"        # a copy of it for each run
log="$work/$suite.log"
mkdir -p "$work"
start=$SECONDS

if [[ ! -f "$base/.complete" ]]; then
    rm -rf --one-file-system "$base"
    debootstrap --variant=minbase --include=ca-certificates,git,make "$suite" "$base" "$mirror" \
        >"$work/$suite-debootstrap.log"
    touch "$base/.complete"
fi

# Ends every process whose root is the system, then lifts every mount in it, innermost first.
cleanup() {
    local p
    for p in /proc/[0-9]*; do
        [[ "$(readlink "$p/root" 2>/dev/null)" == "$sys" ]] && kill -KILL "${p#/proc/}" 2>/dev/null
    done
    findmnt -rn -o TARGET | grep -F "$sys/" | sort -r | while read -r m; do
        umount -l "$m" || true
    done
    if [[ "$keep" != --keep ]]; then
        rm -rf --one-file-system "$sys"
    fi
}
trap cleanup EXIT

rm -rf --one-file-system "$sys"
cp -a "$base" "$sys"
rm -f "$sys/etc/apt/sources.list" "$sys"/etc/apt/sources.list.d/*
cat >"$sys/etc/apt/sources.list.d/debian.sources" <<EOF
Types: deb
URIs: $mirror
Suites: $suite
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
# The host's own apt settings; those a package installed there bring their own packages here.
for conf in /etc/apt/apt.conf.d/*; do
    dpkg -S "$conf" >/dev/null 2>&1 || cp -a "$conf" "$sys/etc/apt/apt.conf.d/"
done
cp /etc/resolv.conf "$sys/etc/resolv.conf"
env=(HOME=/root LANG=C.UTF-8 PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin)
if [[ -n "${NODE_EXTRA_CA_CERTS:-}" && -f "$NODE_EXTRA_CA_CERTS" ]]; then
    cp "$NODE_EXTRA_CA_CERTS" "$sys/root/extra-ca-certificates.pem"
    env+=(NODE_EXTRA_CA_CERTS=/root/extra-ca-certificates.pem)
fi
git clone -q --no-hardlinks "$root" "$sys/root/gui_demo"

mount -t proc proc "$sys/proc"
mount --bind /sys "$sys/sys"
mount --bind /dev "$sys/dev"
mount --bind /dev/pts "$sys/dev/pts"
mount -t tmpfs shm "$sys/dev/shm"
mount -t tmpfs tmp "$sys/tmp"

echo "test-on.sh: make test on $suite, log in $log"
status=0
timeout 5400 chroot "$sys" /usr/bin/env -i "${env[@]}" \
    bash -c 'cd /root/gui_demo && make test' >"$log" 2>&1 || status=$?
tail -n 25 "$log"
echo "test-on.sh: make test on $suite ended with status $status after $((SECONDS - start)) s"
exit "$status"
