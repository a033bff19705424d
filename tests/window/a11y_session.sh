#!/usr/bin/env bash
# Runs a command in a desktop session of its own, as a screen reader's user has one: a private
# home and XDG folders (the session bus and what it starts, the accessibility bus among them, use
# them), and a session bus that ends with the command.
#
#   tests/window/a11y_session.sh COMMAND [ARGS...]
set -euo pipefail
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir -m 700 "$dir/home" "$dir/runtime" "$dir/config" "$dir/data" "$dir/cache"
export HOME="$dir/home" XDG_RUNTIME_DIR="$dir/runtime" XDG_CONFIG_HOME="$dir/config"
export XDG_DATA_HOME="$dir/data" XDG_CACHE_HOME="$dir/cache"
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
# The bus daemon's notes (it may not raise its file limit in a container) are its own.
dbus-run-session -- "$@" 2> >(grep -v '^dbus-daemon' >&2)
