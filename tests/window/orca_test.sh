#!/usr/bin/env bash
# Debian's Orca screen reader, headless, with the real window: it reads the text field when the
# field takes the focus, and a check box as it is ticked. Orca speaks through no speech server
# here; it logs each utterance as a "SPEECH OUTPUT" line in its debug file.
#
#   tests/window/a11y_session.sh scripts/with-xvfb.sh tests/window/orca_test.sh PROGRAM
set -euo pipefail
program=$1
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do
        for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; grep "SPEECH OUTPUT" "$work/orca.log" >&2 || true; exit 1; }

bus=(gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus)
"${bus[@]}" --method org.a11y.Bus.GetAddress >/dev/null
for property in IsEnabled ScreenReaderEnabled; do
    "${bus[@]}" --method org.freedesktop.DBus.Properties.Set org.a11y.Status "$property" '<true>' \
        >/dev/null
done

# Orca's own settings: no speech server, so that speech is only logged.
mkdir "$work/orca"
cat >"$work/orca/user-settings.conf" <<'JSON'
{"general": {"speechServerFactory": "", "enableSpeech": true, "profile": ["Default", "default"]},
 "pronunciations": {}, "keybindings": {},
 "profiles": {"default": {"profile": ["Default", "default"]}}}
JSON
orca -u "$work/orca" --debug-file "$work/orca.log" >/dev/null 2>&1 &
orca=$!
pids+=("$orca")
# Ready once it is on the accessibility bus itself.
for _ in $(seq 200); do
    /usr/bin/python3 -c 'import pyatspi, sys
sys.exit(0 if any(a and a.name == "orca" for a in pyatspi.Registry.getDesktop(0)) else 1)' \
        2>/dev/null && break
    sleep 0.1
done

"$program" >/dev/null 2>&1 &
pids+=($!)
window=$(timeout 20 xdotool search --sync --onlyvisible --name MERIDAX | head -n 1)
[[ -n $window ]] || fail "the window did not appear"
# With no window manager, the X focus is what makes the window active.
xdotool windowfocus --sync "$window"
sleep 1
xdotool mousemove --window "$window" 780 85 click 1  # the field
sleep 2
xdotool mousemove --window "$window" 41 141 click 1  # "Projective Geometry"
sleep 2

# Orca takes SIGTERM when it next wakes, and writes out its log as it ends: an event wakes it.
kill -TERM "$orca"
sleep 0.3
xdotool mousemove --window "$window" 600 600 click 1
for _ in $(seq 100); do kill -0 "$orca" 2>/dev/null || break; sleep 0.1; done
kill -9 "$orca" 2>/dev/null || true  # not woken: what it had not written out is lost

said() { grep -qF "SPEECH OUTPUT: '$1'" "$work/orca.log" || fail "Orca did not say \"$1\""; }
said "Name: entry Zelkor Engine."
said "Projective Geometry check box checked."
echo "ok: Orca read the field as it took the focus, and the check box as it was ticked"
