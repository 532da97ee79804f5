#!/usr/bin/env bash
# Builds the BMP fuzzer with clang (in build-fuzz) and runs it for a bounded time on a copy of
# the seed corpus, so the committed corpus stays as it is. Crashing inputs are kept in
# build-fuzz/findings/. Usage: fuzz/run_fuzz.sh [seconds]   (default 60)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build="$root/build-fuzz"

cmake -S "$root" -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DSPHERARIUM_FUZZ=ON -DSPHERARIUM_TESTS=OFF -DSPHERARIUM_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target fuzz_bmp

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus" "$build/findings"
cp "$root"/fuzz/corpus/bmp/* "$work/corpus/"

status=0
"$build/fuzz/fuzz_bmp" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$build/findings/" "$work/corpus" 2>"$work/log" || status=$?

grep -E 'ERROR|SUMMARY|Test unit written|runtime error' "$work/log" || true
executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log")
echo "executions: ${executions:-unknown}"
echo "corpus after the run: $(ls "$work/corpus" | wc -l) inputs"
exit "$status"
