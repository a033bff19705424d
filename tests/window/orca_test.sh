#!/usr/bin/env bash
# Debian's Orca screen reader, headless, with the real window, driven as a blind user drives it:
# the window is announced as it opens; Orca's own keys reach it (flat review reads the screen line
# by line from the title, "Where Am I" speaks the focused field); typed letters are echoed; the
# field is read as it takes the focus, a check box as it is ticked, and each widget Tab and
# Shift+Tab reach, by name and role. Orca speaks through no
# speech server here; it logs each utterance as a "SPEECH OUTPUT" line in its debug file.
#
#   tests/window/a11y_session.sh scripts/with-xvfb.sh tests/window/orca_test.sh PROGRAM
set -euo pipefail
program=$1
. "$(dirname "$0")/orca_session.sh"
start_orca

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
# Tab on from the box clicked, twice, then Shift+Tab back round to the button.
for key in Tab Tab shift+Tab shift+Tab shift+Tab; do
    xdotool key --window "$window" "$key"
    sleep 1.2
done

stop_orca xdotool mousemove --window "$window" 600 600 click 1

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
said "Dual Quaternions check box"
said "Archetype Algebra check box"
said_like "Click Me (push )?button"  # "push button" in Orca 43, "button" in Debian 13's
echo "ok: Orca announced the window, reviewed it line by line, echoed typing, read the field," \
    "a ticked check box and the widgets Tab reached"
