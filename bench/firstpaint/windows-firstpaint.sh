#!/usr/bin/env bash
# marvok.exe under Wine, on the windows platform of a virtual display: from the start of the
# process to its first painted main window (it ends there, MARVOK_EXIT_AT_FIRST_PAINT), beside the
# floor program built with the same Qt kit. Alternating runs, medians, ratios. The Wine server
# stays up between runs, so neither program pays for starting it.
# Usage: windows-firstpaint.sh <marvok.exe> <floor.exe> <work folder>   (needs DISPLAY)
set -euo pipefail
marvok=$(realpath "$1")
floor=$(realpath "$2")
work=$(realpath -m "$3")
runs=${MARVOK_BENCH_RUNS:-9}

export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
unset QT_QPA_PLATFORM
mkdir -p "$work"
if [ ! -f "$WINEPREFIX/.marvok-ready" ]; then
    (unset DISPLAY; wineboot --init && wineserver -w) >"$work/wineboot.log" 2>&1
    touch "$WINEPREFIX/.marvok-ready"
fi
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# Milliseconds from the start of a program to its end at the first paint.
run_ms() {
    local folder=$1 program=$2
    shift 2
    local start end
    start=$(date +%s%N)
    (cd "$folder" && MARVOK_EXIT_AT_FIRST_PAINT=1 wine "$program" "$@" >/dev/null 2>&1) ||
        { echo "$program did not report its first paint" >&2; return 1; }
    end=$(date +%s%N)
    echo $(((end - start) / 1000000))
}

printf 'marvok.exe under Wine: start to first paint (medians of %d alternating runs)\n' "$runs"
printf '  %7s %10s %10s %7s %12s %7s %6s\n' pods marvok.exe floor ratio "floor+text" ratio goal
for pods in 20 2000; do
    game="$WINEPREFIX/drive_c/Games/bench-$pods"
    rm -rf "$game"
    mkdir -p "$game/Fixes" "$game/addons"
    truncate -s 2925568 "$game/monster.exe"
    printf '3\r\nFixes\\fix1.pod\r\nFixes\\fix2.pod\r\nFixes\\fix3.pod\r\n' >"$game/pod.ini"
    for i in 1 2 3; do printf 'POD1' >"$game/Fixes/fix$i.pod"; done
    for i in $(seq 4 "$pods"); do : >"$game/addons/pod$i.pod"; done
    cp "$marvok" "$game/marvok.exe"
    cp "$floor" "$game/floor.exe"
    m=() f=() t=()
    for _ in $(seq "$runs"); do
        m+=("$(run_ms "$game" marvok.exe)")
        f+=("$(run_ms "$game" floor.exe)")
        t+=("$(run_ms "$game" floor.exe --text)")
    done
    mm=$(printf '%s\n' "${m[@]}" | median)
    fm=$(printf '%s\n' "${f[@]}" | median)
    tm=$(printf '%s\n' "${t[@]}" | median)
    printf '  %7d %7d ms %7d ms %6.2fx %9d ms %6.2fx %6s\n' "$pods" "$mm" "$fm" \
        "$(awk "BEGIN { print $mm / $fm }")" "$tm" "$(awk "BEGIN { print $mm / $tm }")" "<=1.3"
    rm -rf "$game"
done
