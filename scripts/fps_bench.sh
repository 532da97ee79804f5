#!/usr/bin/env bash
# Frame rate of the program against an empty freeglut loop of the same window, on one Xvfb
# display in one run, each read from its own window title; plus the physics' share of a frame.
# Usage: scripts/fps_bench.sh [seconds per program] (needs a Release build in build-release/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${SPHERARIUM_BUILD_DIR:-"$root/build-release"}
seconds=${1:-10}

"$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target spherarium spherarium_empty_loop spherarium_bench_physics spherarium_assets >/dev/null

. "$root/scripts/xvfb.sh"
trap stop_xvfb EXIT
start_xvfb

# fps PROGRAM DIR: the mean of the titles published after the first one.
fps() {
    (cd "$2" && exec "$1" >/dev/null 2>&1) &
    local pid=$! wid="" rates=() last="" t
    for _ in $(seq 1 100); do
        # freeglut does not publish its process id; one program runs at a time on this display.
        wid=$(xdotool search --name '^(Spherarium|Empty loop|Fps:.*)$' 2>/dev/null | head -n 1 || true)
        [ -n "$wid" ] && break
        sleep 0.1
    done
    for t in $(seq 1 $((seconds * 10))); do
        sleep 0.1
        local now
        now=$(xdotool getwindowname "$wid" 2>/dev/null || true)
        if [ "$now" != "$last" ] && [[ "$now" == Fps:* ]]; then
            [ -n "$last" ] && rates+=("${now#Fps:}")
            last=$now
        fi
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    printf '%s\n' "${rates[@]}" | awk '{ s += $1; n++ } END { if (n) printf "%.1f", s / n; else print 0 }'
}

empty=$(fps "$build/bench/spherarium_empty_loop" "$build")
scene=$(fps "$build/app/spherarium" "$build/assets")
physics_us=$("$build/bench/spherarium_bench_physics" --benchmark_filter='BM_AdvanceSimulation$' \
    --benchmark_format=csv 2>/dev/null | awk -F, '/"BM_AdvanceSimulation"/ { print $4 / 1000; exit }')

echo "empty loop: $empty frames per second"
echo "Spherarium: $scene frames per second"
awk -v e="$empty" -v s="$scene" -v p="$physics_us" 'BEGIN {
    if (e > 0 && s > 0) {
        printf "ratio: %.3f (a Spherarium frame takes %.2f ms, an empty one %.2f ms)\n", s / e, 1000 / s, 1000 / e
        printf "physics: %.2f us per step, %.3f%% of a frame\n", p, 100 * p / (1e6 / s)
    }
}'
