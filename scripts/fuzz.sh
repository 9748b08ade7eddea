#!/usr/bin/env bash
# Runs every fuzz target for the given seconds each (default 600), two at a time, from the seeds
# in tests/fuzz/corpus/ and what earlier runs learned (kept in build/fuzz). A target that finds a
# fault fails the run; the input that shows it is written to build/fuzz/tests/fuzz/crashes/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: scripts/fuzz.sh [seconds per target]" >&2
    exit 2
fi
scripts/deps.sh
cmake --preset fuzz -G Ninja -DMARVOK_FUZZ_SECONDS="$seconds" >/dev/null
cmake --build --preset fuzz -j "$(nproc)"
ctest --preset fuzz -j 2
