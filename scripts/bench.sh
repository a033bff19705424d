#!/usr/bin/env bash
# Measures what a frame costs, side by side in one run:
#   1. an empty frame (BeginDrawing, ClearBackground, EndDrawing), frame cap off;
#   2. the demo's full frame with a scripted input that works every panel, cap off;
#   3. the demo's own logic per frame against the recording stand-in, drawing nothing.
# Wall times are medians over repeated runs; instructions per frame come from callgrind, which
# counts the same total for the same frames whatever else the machine is doing.
# Runs in a private Xvfb with Mesa's software renderer: absolute figures are this machine's.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-bench
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGUI_DEMO_BENCHMARKS=ON \
    -DGUI_DEMO_TESTS=OFF -DGUI_DEMO_WINDOW_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target frame_cost logic_bench >/dev/null

echo "== wall time per frame, real window (Xvfb, Mesa software renderer)"
scripts/with-xvfb.sh "$build/bench/frame_cost" 15 120

echo
echo "== demo logic per frame, no drawing (Google Benchmark, median of 10)"
"$build/bench/logic_bench" --benchmark_repetitions=10 --benchmark_report_aggregates_only=true \
    2>/dev/null | awk '/_median/ { print "logic per frame: " $2 " " $3 }'

# Instructions over N and 2N frames; the difference is N frames without the start-up.
echo
echo "== instructions per frame (callgrind, fixed dt, llvmpipe single-threaded)"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
frames=10
count() {  # kind frames -> total instructions; keeps the profile for the split below
    # One llvmpipe thread and no shader cache, so every run compiles and draws the same way.
    LP_NUM_THREADS=0 MESA_SHADER_CACHE_DISABLE=true scripts/with-xvfb.sh valgrind --tool=callgrind \
        --callgrind-out-file="$tmp/$1.$2" "$build/bench/frame_cost" --only "$1" "$2" 2>&1 |
        awk '/Collected/ { print $NF }'
}
declare -A per_frame
for kind in empty demo; do
    one=$(count "$kind" "$frames")
    two=$(count "$kind" $((2 * frames)))
    per_frame[$kind]=$(((two - one) / frames))
    printf '%-6s frame: %12d instructions\n' "$kind" "${per_frame[$kind]}"
done
awk -v d="${per_frame[demo]}" -v e="${per_frame[empty]}" \
    'BEGIN { printf "ratio demo / empty: %.1f\n", d / e }'

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
join -t $'\t' <(split "$tmp/demo.$((2 * frames))" | sort) <(split "$tmp/demo.$frames" | sort) |
    awk -F '\t' -v f="$frames" -v total="${per_frame[demo]}" '
        { d = ($2 - $3) / f; printf "%6.2f %%  %s\n", 100 * d / total, $1 }' |
    sort -rn | head -n 8
