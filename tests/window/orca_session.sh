# Sourced by the Orca tests: a work folder and the processes started, ended on exit; the session
# told a screen reader is on, as a desktop does; and Debian's Orca, headless, speaking through no
# speech server, so that each utterance is a "SPEECH OUTPUT" line in its debug log.
#
#   start_orca [SETTINGS]   SETTINGS: more of Orca's general settings, as JSON members
#   stop_orca COMMAND...    Orca writes out its log as it ends, when an event wakes it: COMMAND
#                           makes one
#   said TEXT               fails unless Orca said something that starts with TEXT
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
said() { grep -qF "SPEECH OUTPUT: '$1" "${said_in:-$work/orca.log}" || fail "Orca did not say \"$1\""; }
# The same, for an utterance that differs between Orca's versions (an extended regular expression).
said_like() { grep -qE "SPEECH OUTPUT: '$1" "${said_in:-$work/orca.log}" || fail "Orca did not say /$1/"; }

start_orca() {
    local bus=(gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus) property
    "${bus[@]}" --method org.a11y.Bus.GetAddress >/dev/null
    for property in IsEnabled ScreenReaderEnabled; do
        "${bus[@]}" --method org.freedesktop.DBus.Properties.Set org.a11y.Status "$property" \
            '<true>' >/dev/null
    done
    mkdir "$work/orca"
    cat >"$work/orca/user-settings.conf" <<JSON
{"general": {"speechServerFactory": "", "enableSpeech": true, "profile": ["Default", "default"]${1:+, $1}},
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
}

stop_orca() {
    kill -TERM "$orca"
    sleep 0.3
    "$@"
    for _ in $(seq 100); do kill -0 "$orca" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$orca" 2>/dev/null || true  # not woken: what it had not written out is lost
}
