#!/usr/bin/env bash
# Runs a command in a private virtual X server with Mesa's software OpenGL, then stops that
# server by its process id: the one way the scripts and tests start a server (the C++ window
# tests' x_session.cpp starts theirs the same way, with -displayfd).
#
#   [XVFB_SCREEN=1400x800x24] scripts/with-xvfb.sh COMMAND [ARGS...]
#
# The screen is 1280 x 720, the window's own size, unless XVFB_SCREEN says otherwise.
set -euo pipefail

tmp=$(mktemp -d)
# Xvfb picks a free display number itself and writes it to descriptor 3.
Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1280x720x24}" -nolisten tcp 3>"$tmp/display" 2>/dev/null &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -rf "$tmp"' EXIT
# Killed outright (a test's timeout), this script runs no trap: a watchdog ends the server then.
(while kill -0 $$ 2>/dev/null; do sleep 1; done; kill "$xvfb" 2>/dev/null) &
for _ in $(seq 100); do
    [[ -s "$tmp/display" ]] && break
    sleep 0.1
done
[[ -s "$tmp/display" ]] || { echo "Xvfb did not start" >&2; exit 1; }

DISPLAY=":$(tr -d '\n' < "$tmp/display")" LIBGL_ALWAYS_SOFTWARE=1 "$@"
