#!/usr/bin/env bash
# Measures what a frame of the program users run costs: the unmodified gui_demo, with a small
# preload (bench/frame_timer.cpp) that times its frames and can lift the frame cap. In one run
# and one window, blocks of the demo's own frames alternate with blocks of empty frames (clear
# and present only), so both see the same machine. Also: the share of one core the program takes
# at its normal 60 fps cap, instructions per frame (callgrind, deterministic), and the demo's own
# logic per frame against the recording stand-in (Google Benchmark).
# Runs in a private Xvfb with Mesa's software renderer: absolute figures are this machine's.
#
#   scripts/bench.sh [PROGRAM]     PROGRAM defaults to the one built here
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-bench
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGUI_DEMO_BENCHMARKS=ON \
    -DGUI_DEMO_TESTS=OFF -DGUI_DEMO_WINDOW_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target gui_demo frame_timer logic_bench >/dev/null
program=$(realpath "${1:-$build/gui_demo}")
timer_lib=$(realpath "$build/bench/libframe_timer.so")

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# timed OUT [VAR=value ...]: runs the program once under the preload, its report in OUT.
timed() {
    local out=$1
    shift
    env FRAME_TIMER_OUT="$out" "$@" LD_PRELOAD="$timer_lib" \
        scripts/with-xvfb.sh "$program" >/dev/null 2>&1
}

# summary FILE KIND: median and p99 wall time, mean CPU time and minor faults per frame.
summary() {
    local n
    n=$(awk -v k="$2" '$1 == k' "$1" | wc -l)
    awk -v k="$2" '$1 == k { print $2 }' "$1" | sort -n | awk -v n="$n" -v k="$2" '
        NR == int((n + 1) / 2) { median = $1 }
        NR == int(n * 0.99 + 0.999) { p99 = $1 }
        END { printf "%-6s median %6.2f ms   p99 %6.2f ms", k, median / 1e6, p99 / 1e6 }'
    awk -v k="$2" '$1 == k { cpu += $3; faults += $4; n++ }
        END { printf "   CPU %6.2f ms   minor faults %6.1f   (%d frames)\n", cpu / n / 1e6, faults / n, n }' "$1"
}

echo "== per frame, frame cap lifted: 600 demo frames after 60 of warm-up, in blocks of 30"
echo "   alternating with 600 empty frames in the same window"
timed "$tmp/uncapped" FRAME_TIMER_UNCAPPED=1 FRAME_TIMER_EMPTY=1
summary "$tmp/uncapped" empty
summary "$tmp/uncapped" demo
awk '$1 == "rss" { printf "resident memory: %d KiB after warm-up, %d KiB at the end\n", $2, $3 }' \
    "$tmp/uncapped"

echo
echo "== at the normal 60 fps cap: 300 frames after 60 of warm-up"
timed "$tmp/capped" FRAME_TIMER_FRAMES=300
awk '$1 == "demo" { wall += $2; cpu += $3; faults += $4 }
    END { printf "share of one core: %.0f %%   minor faults per second: %.0f\n",
                 100 * cpu / wall, faults / (wall / 1e9) }' "$tmp/capped"

echo
echo "== demo logic per frame, no drawing (Google Benchmark, median of 10)"
"$build/bench/logic_bench" --benchmark_repetitions=10 --benchmark_report_aggregates_only=true \
    2>/dev/null | awk '/_median/ { print "logic per frame: " $2 " " $3 }'

# Instructions over 10 and 20 demo frames, and over 10 demo plus 10 empty frames: the differences
# are 10 frames of each kind without the start-up. GetFrameTime answers a fixed 1/60 s, one
# llvmpipe thread draws, and Mesa's shader cache is off, so every run draws the same frames.
echo
echo "== instructions per frame (callgrind)"
frames=10
count() {  # NAME [VAR=value ...] -> total instructions; keeps the profile
    local name=$1
    shift
    env "$@" FRAME_TIMER_OUT="$tmp/ignored" FRAME_TIMER_WARMUP=0 FRAME_TIMER_BLOCK="$frames" \
        FRAME_TIMER_UNCAPPED=1 FRAME_TIMER_FIXED_DT=1 LP_NUM_THREADS=0 \
        MESA_SHADER_CACHE_DISABLE=true LD_PRELOAD="$timer_lib" scripts/with-xvfb.sh \
        valgrind --tool=callgrind --callgrind-out-file="$tmp/$name.out" "$program" 2>&1 |
        awk '/Collected/ { print $NF }'
}
one=$(count demo1 FRAME_TIMER_FRAMES=$frames)
two=$(count demo2 FRAME_TIMER_FRAMES=$((2 * frames)))
with_empty=$(count empty FRAME_TIMER_FRAMES=$frames FRAME_TIMER_EMPTY=1)
demo=$(((two - one) / frames))
empty=$(((with_empty - one) / frames))
printf 'empty frame: %12d instructions\n' "$empty"
printf 'demo frame:  %12d instructions\n' "$demo"
awk -v d="$demo" -v e="$empty" 'BEGIN { printf "ratio demo / empty: %.1f\n", d / e }'

# Where the demo frame's instructions go, by the library that runs them.
echo
echo "== demo frame by library (share of its instructions per frame)"
split() {
    callgrind_annotate --threshold=100 "$1" 2>/dev/null | awk '
        /^ *[0-9,]+ \(/ && $NF ~ /^\[.*\]$/ {
            n = $1; gsub(",", "", n)
            lib = $NF; gsub(/[\[\]]/, "", lib); sub(/.*\//, "", lib)
            if (lib == "???") lib = "JIT code (llvmpipe shaders)"
            else if (lib ~ /swrast_dri|gallium|GLX_mesa|LLVM|libglapi/) lib = "Mesa: " lib
            sum[lib] += n
        }
        END { for (l in sum) print l "\t" sum[l] }'
}
join -t $'\t' <(split "$tmp/demo2.out" | sort) <(split "$tmp/demo1.out" | sort) |
    awk -F '\t' -v f="$frames" -v total="$demo" '
        { d = ($2 - $3) / f; printf "%6.2f %%  %s\n", 100 * d / total, $1 }' |
    sort -rn | head -n 8
