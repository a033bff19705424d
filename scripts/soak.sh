#!/usr/bin/env bash
# Soak: the unmodified program in a private Xvfb, driven for two minutes (SOAK_SECONDS) by random
# real mouse and keyboard events. Every few seconds it checks the program is alive and samples its
# resident memory; at the end Escape must end it with status 0, and its memory must not have
# grown after the first seconds. Prints the samples. Usage: scripts/soak.sh
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ "${1:-}" != --inside ]]; then
    scripts/install-deps.sh test
    scripts/bootstrap-raylib.sh
    cmake -S . -B build >/dev/null
    cmake --build build -j "$(nproc)" --target gui_demo >/dev/null
    exec scripts/with-xvfb.sh "$0" --inside
fi

seconds=${SOAK_SECONDS:-120}
sample_every=5
warmup=10  # seconds before the baseline: the driver and font caches settle first
workdir=$(mktemp -d)
(cd "$workdir" && exec "$OLDPWD/build/gui_demo" >/dev/null 2>&1) &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$workdir"' EXIT

window=$(xdotool search --sync --name "MERIDAX" | head -n 1)
xdotool windowmove "$window" 0 0
rss() { awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status"; }
alive() { kill -0 "$pid" 2>/dev/null; }

# Anything but Escape: the keys the program reads, others it must ignore, and text with
# control and non-ASCII characters.
keys=(BackSpace Return KP_Enter Tab Left Right Delete F1 space a z)
texts=("hello" "~!@#$%^&*()" "é ü ß" "Zelkor" "1234567890" "日本")
random_event() {
    local x=$((RANDOM % 1280)) y=$((RANDOM % 720))
    case $((RANDOM % 8)) in
        0 | 1) xdotool mousemove "$x" "$y" ;;
        2) xdotool mousemove "$x" "$y" mousedown 1 ;;
        3) xdotool mouseup 1 ;;
        4) xdotool mousemove "$x" "$y" click 1 ;;
        5) xdotool mousemove 800 85 click 1 type --delay 5 "${texts[RANDOM % ${#texts[@]}]}" ;;
        6) local k=${keys[RANDOM % ${#keys[@]}]}; xdotool keydown "$k"; sleep 0.04; xdotool keyup "$k" ;;
        7) xdotool mousemove $((RANDOM % 4000 - 1000)) $((RANDOM % 3000 - 1000)) ;;
    esac
}

echo "soak: ${seconds} s of random input, resident memory every ${sample_every} s"
start=$SECONDS
next_sample=0
baseline=""
peak=0
events=0
while ((SECONDS - start < seconds)); do
    random_event >/dev/null 2>&1 || true
    events=$((events + 1))
    sleep 0.03
    if ((SECONDS - start >= next_sample)); then
        alive || { echo "soak: the program died after $((SECONDS - start)) s" >&2; exit 1; }
        now=$(rss)
        echo "  t=$((SECONDS - start))s rss=${now} KiB"
        if [[ -z "$baseline" && $((SECONDS - start)) -ge $warmup ]]; then baseline=$now; fi
        [[ -n "$baseline" ]] && ((now > peak)) && peak=$now
        next_sample=$((next_sample + sample_every))
    fi
done
final=$(rss)
xdotool mouseup 1 >/dev/null 2>&1 || true
xdotool mousemove 640 650 keydown Escape
sleep 0.1
xdotool keyup Escape
status=0
for _ in $(seq 40); do alive || break; sleep 0.05; done
if alive; then echo "soak: Escape did not end the program" >&2; exit 1; fi
wait "$pid" || status=$?
echo "soak: ${events} events; rss at ${warmup} s ${baseline} KiB, peak after ${peak} KiB, end ${final} KiB; exit status ${status}"
# Allow 1 MiB of jitter in the driver's own buffers; steady growth shows up well beyond that.
if ((status != 0)); then echo "soak: exit status ${status}" >&2; exit 1; fi
if ((final > baseline + 1024)); then echo "soak: resident memory grew" >&2; exit 1; fi
echo "soak: passed"
