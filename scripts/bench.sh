#!/usr/bin/env bash
# Builds in release mode and runs the benchmarks; prints their figures.
# The whole-process start-up benchmark runs on a virtual X display when Xvfb is there (as a
# player's desktop would), offscreen otherwise; MARVOK_BENCH_PLATFORM=offscreen chooses that.
# marvok.exe is timed under Wine on that display too (it builds the Qt kit of scripts/qt-kit.sh once).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DMARVOK_BUILD_TESTS=OFF >/dev/null
cmake --build build/bench -j "$(nproc)"
work="$PWD/build/bench/work"
mkdir -p "$work"

xvfb_pid=""
trap '[ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true' EXIT
platform=${MARVOK_BENCH_PLATFORM:-}
if [ -z "$platform" ] && command -v Xvfb >/dev/null; then
    for display in $(seq 90 120); do
        [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ] && continue
        Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        for _ in $(seq 50); do
            [ -e "/tmp/.X11-unix/X$display" ] && break
            sleep 0.1
        done
        export DISPLAY=":$display"
        platform=xcb
        break
    done
fi

# MARVOK_BENCH_BEFORE=<commit> also times that commit's marvok at start-up, beside this one.
if [ -n "${MARVOK_BENCH_BEFORE:-}" ]; then
    before_src="$PWD/build/bench-before-src"
    rm -rf "$before_src"
    git worktree prune
    git worktree add --detach -f "$before_src" "$MARVOK_BENCH_BEFORE" >/dev/null
    cmake -S "$before_src" -B build/bench-before -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DMARVOK_BUILD_TESTS=OFF >/dev/null
    cmake --build build/bench-before -j "$(nproc)" --target marvok
    export MARVOK_BENCH_BEFORE_EXE="$PWD/build/bench-before/src/app/marvok"
    git worktree remove --force "$before_src"
fi

for bench in build/bench/bench/*/marvok_bench_*; do
    [ -x "$bench" ] || continue
    case "$(basename "$bench")" in
        marvok_bench_floor) continue ;;  # the floor program, started by the first-paint bench
        marvok_bench_firstpaint)
            echo "== $(basename "$bench")"
            QT_QPA_PLATFORM=${platform:-offscreen} "$bench" "$work" ;;
        *) echo "== $(basename "$bench")"; "$bench" "$work" ;;
    esac
done

# The Windows program under Wine, on the virtual display, against a floor built with the same kit.
if [ "$platform" = xcb ]; then
    MARVOK_QT_KIT=$(scripts/qt-kit.sh | tail -n 1)
    export MARVOK_QT_KIT
    cmake --preset mingw -G Ninja >/dev/null
    cmake --build --preset mingw -j "$(nproc)" --target marvok marvok_bench_floor
    echo "== marvok.exe under Wine"
    bench/firstpaint/windows-firstpaint.sh build/mingw/src/app/marvok.exe \
        build/mingw/bench/firstpaint/marvok_bench_floor.exe "$work/windows"
else
    echo "== marvok.exe under Wine: skipped, it needs Xvfb for the windows platform"
fi
