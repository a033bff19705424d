#!/usr/bin/env bash
# Prints the Debian mirror this system's apt sources use (not the security one): a deb822 URIs
# line, or a classic deb line. The raylib bootstrap and the package test fetch from it, so that
# nothing names a host of its own.
set -euo pipefail
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
    echo "no Debian mirror found in the system's apt sources" >&2
    exit 1
fi
echo "$mirror"
