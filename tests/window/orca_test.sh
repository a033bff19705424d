#!/usr/bin/env bash
# Debian's Orca screen reader, headless, with the real window, driven as a blind user drives it:
# the window is announced as it opens; Orca's own keys reach it (flat review reads the screen line
# by line from the title, "Where Am I" speaks the focused field); typed letters are echoed; the
# field is read as it takes the focus, and a check box as it is ticked. Orca speaks through no
# speech server here; it logs each utterance as a "SPEECH OUTPUT" line in its debug file.
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
sleep 2
# Flat review (the keypad, Num Lock off): the current line, then the next ones.
xdotool key --window "$window" KP_Up
sleep 0.6
for _ in $(seq 20); do
    xdotool key --window "$window" KP_Page_Up
    sleep 0.4
done
xdotool mousemove --window "$window" 780 85 click 1  # the field
sleep 2
xdotool type --delay 300 --window "$window" xy
sleep 1
xdotool key --window "$window" KP_Enter  # Where Am I
sleep 2
xdotool mousemove --window "$window" 41 141 click 1  # "Projective Geometry"
sleep 2

# Orca takes SIGTERM when it next wakes, and writes out its log as it ends: an event wakes it.
kill -TERM "$orca"
sleep 0.3
xdotool mousemove --window "$window" 600 600 click 1
for _ in $(seq 100); do kill -0 "$orca" 2>/dev/null || break; sleep 0.1; done
kill -9 "$orca" 2>/dev/null || true  # not woken: what it had not written out is lost

said() { grep -qF "SPEECH OUTPUT: '$1" "$work/orca.log" || fail "Orca did not say \"$1\""; }
# Announced as it opened: before Orca had any key.
announced=$(grep -n -m 1 "SPEECH OUTPUT: 'MERIDAX / Zelkor Engine — GUI Demo (O3DE LyShine Components) frame" \
    "$work/orca.log" | cut -d: -f1 || true)
first_key=$(grep -n -m 1 "KEYBOARD_EVENT" "$work/orca.log" | cut -d: -f1 || true)
[[ -n $first_key ]] || fail "no key reached Orca"
[[ -n $announced && $announced -lt $first_key ]] || fail "the window was not announced as it opened"
said "ZELKOR ENGINE — O3DE LyShine GUI Components Demo"
said "Interactables Scroll & Slider Drag & Drop Text & Animation"
said "selected Wireframe"
said "[Zelkor] Engine initialized"
# A letter echoed is said alone (Orca 43 adds a space).
echoed() { grep -qE "SPEECH OUTPUT: '$1 ?'" "$work/orca.log" || fail "Orca did not echo \"$1\""; }
echoed x
echoed y
said "Name: entry Zelkor Enginexy"
said "Projective Geometry check box checked"
echo "ok: Orca announced the window, reviewed it line by line, echoed typing, read the field" \
    "and a ticked check box"
