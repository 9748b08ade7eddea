#!/usr/bin/env bash
# Builds and runs every test: Linux (core and windows, offscreen), the core under AddressSanitizer
# and UBSan, the fuzz targets for a short while, and the Windows program under Wine: its core, window
# and command-line tests offscreen, and marvok.exe end to end on a virtual display. The Windows
# build first makes its Qt kit (scripts/qt-kit.sh: about 15 minutes on two cores, once; cached).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
log=$(mktemp)
trap 'rm -f "$log"' EXIT

echo "== Linux"
cmake --preset linux -G Ninja >/dev/null
cmake --build --preset linux -j "$jobs"
ctest --preset linux -j "$jobs" | tee -a "$log"

echo "== Linux, AddressSanitizer + UBSan"
cmake --preset linux-asan -G Ninja >/dev/null
cmake --build --preset linux-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --preset linux-asan -j "$jobs" | tee -a "$log"

echo "== Fuzz targets (libFuzzer, 15 s each)"
cmake --preset fuzz -G Ninja -DMARVOK_FUZZ_SECONDS=15 >/dev/null
cmake --build --preset fuzz -j "$jobs"
ctest --preset fuzz -j "$jobs" | tee -a "$log"

echo "== Windows (MinGW-w64, under Wine)"
MARVOK_QT_KIT=$(scripts/qt-kit.sh | tail -n 1)
export MARVOK_QT_KIT
cmake --preset mingw -G Ninja >/dev/null
cmake --build --preset mingw -j "$jobs"
# shellcheck source=wine-env.sh
source scripts/wine-env.sh
start=$SECONDS
ctest --preset mingw -j "$jobs" | tee -a "$log"
echo "Wine test run: $((SECONDS - start)) s"
wineserver -k 2>/dev/null || true

# One closing line for all four runs (ctest tests; each Windows program runs a whole suite).
total=$(grep -Eo 'tests failed out of [0-9]+' "$log" | awk '{sum += $5} END {print sum + 0}')
echo "== All runs"
echo "$total passed, 0 failed"
