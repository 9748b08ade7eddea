#!/usr/bin/env bash
# Builds in release mode and runs the benchmarks; prints their figures.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DMARVOK_BUILD_TESTS=OFF >/dev/null
cmake --build build/bench -j "$(nproc)"
work="$PWD/build/bench/work"
mkdir -p "$work"
for bench in build/bench/bench/*/marvok_bench_*; do
    [ -x "$bench" ] || continue
    echo "== $(basename "$bench")"
    "$bench" "$work"
done
