#!/usr/bin/env bash
# Builds and runs every test: Linux (core and windows, offscreen), the core under AddressSanitizer
# and UBSan, and the Windows build of the core under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== Linux"
cmake --preset linux -G Ninja >/dev/null
cmake --build --preset linux -j "$jobs"
ctest --preset linux -j "$jobs"

echo "== Linux, AddressSanitizer + UBSan"
cmake --preset linux-asan -G Ninja >/dev/null
cmake --build --preset linux-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --preset linux-asan -j "$jobs"

echo "== Windows (MinGW-w64, under Wine)"
cmake --preset mingw -G Ninja >/dev/null
cmake --build --preset mingw -j "$jobs"
# shellcheck source=wine-env.sh
source scripts/wine-env.sh
start=$SECONDS
ctest --preset mingw -j "$jobs"
echo "Wine test run: $((SECONDS - start)) s"
wineserver -k 2>/dev/null || true
