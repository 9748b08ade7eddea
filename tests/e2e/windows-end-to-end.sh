#!/usr/bin/env bash
# marvok.exe as a player meets it: under Wine, on the windows platform, on a virtual X display.
# In a game folder inside the test's own Wine prefix: the window shows the edition as its title, a
# click moves a pod, Enter saves pod.ini; a second start ends with status 3; the Explorer verb the
# exe registers from its menu installs a list when chosen as Explorer chooses it. Saves a picture.
# Never skips: a missing tool is a failure.
# Usage: windows-end-to-end.sh <marvok.exe> <work folder>
set -euo pipefail
exe=$(realpath "$1")
work=$(realpath -m "$2")
mkdir -p "$work"

fail() {
    echo "FAIL: $*" >&2
    [ -f "$work/marvok.log" ] && sed 's/^/marvok: /' "$work/marvok.log" >&2
    exit 1
}
step() { echo "-- $*"; }
# xdotool's complaints about Xvfb's focus (no window manager) go to a log.
xdo() { xdotool "$@" 2>>"$work/xdotool.log"; }
# Whether the file holds exactly these bytes (a command substitution would drop the last newline).
holds() { cmp -s "$1" <(printf '%s' "$2"); }

for tool in Xvfb xdotool import wine wineserver; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/deps.sh installs it)"
done

export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
if [ ! -f "$WINEPREFIX/.marvok-ready" ]; then
    step "creating the Wine prefix"
    (unset DISPLAY; wineboot --init && wineserver -w) >"$work/wineboot.log" 2>&1 ||
        fail "wineboot; see $work/wineboot.log"
    touch "$WINEPREFIX/.marvok-ready"
fi

xvfb=""
cleanup() {
    wineserver -k 2>/dev/null || true
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
for display in $(seq 140 199); do
    [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ] && continue
    Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb=$!
    for _ in $(seq 100); do
        [ -e "/tmp/.X11-unix/X$display" ] && break
        sleep 0.1
    done
    export DISPLAY=":$display"
    break
done
[ -n "$xvfb" ] && [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ] || fail "no virtual display started"
wineserver -k 2>/dev/null || true

game="$WINEPREFIX/drive_c/Games/Monster Truck Madness 2"
rm -rf "$game" "$WINEPREFIX/drive_c/Pod  Lists"
mkdir -p "$game/Fixes" "$WINEPREFIX/drive_c/Pod  Lists"
truncate -s 2925568 "$game/monster.exe"  # the patched game's size: "MTM2 Patched"
for pod in alpha.pod beta.pod Fixes/gamma.pod; do printf 'POD1' >"$game/$pod"; done
printf '1\r\nalpha.pod\r\n' >"$game/pod.ini"
cp "$exe" "$game/marvok.exe"

pid=""
start_marvok() {
    (cd "$game" && exec wine marvok.exe "$@") >"$work/marvok.log" 2>&1 &
    pid=$!
    # Polled rather than --sync: Wine makes and drops helper windows while starting, and one gone
    # between xdotool's listing and its query ends that search with BadWindow.
    window=""
    local deadline=$((SECONDS + 90))
    while [ -z "$window" ] && [ "$SECONDS" -lt "$deadline" ]; do
        window=$(xdo search --onlyvisible --name '^MTM2 Patched$' | head -n 1) || window=""
        [ -n "$window" ] || sleep 0.5
    done
    [ -n "$window" ] || fail "no window titled \"MTM2 Patched\" within 90 s"
    sleep 2  # let the first paint finish
}
wait_marvok() {
    local waited=0
    while kill -0 "$pid" 2>/dev/null; do
        sleep 0.2
        waited=$((waited + 1))
        [ "$waited" -lt 300 ] || fail "marvok.exe did not end"
    done
    wait "$pid" || true
}
# A point of the window, from the window's top left corner.
click_at() {
    eval "$(xdo getwindowgeometry --shell "$window")"
    xdo mousemove --sync $((X + $1)) $((Y + $2)) click 1
}

step "the window shows on the windows platform"
start_marvok
import -window "$window" "$work/marvok-exe-wine.png"

step "a click moves beta.pod across; Enter saves"
eval "$(xdo getwindowgeometry --shell "$window")"
# The list of pods found on disk fills the window's right half below the filter and the counts;
# its first entry is beta.pod.
click_at $((WIDTH * 3 / 4)) "${MARVOK_E2E_ROW_Y:-$((HEIGHT * 26 / 100))}"
sleep 1
import -window root "$work/after-click.png"
xdo key --window "$window" Return
wait_marvok
expected=$'2\r\nalpha.pod\r\nbeta.pod\r\n'
holds "$game/pod.ini" "$expected" ||
    fail "pod.ini after the click and Enter: $(od -c "$game/pod.ini" | head -n 3)"

step "a second start on the same folder ends with status 3"
start_marvok
set +e
(cd "$game" && wine marvok.exe /i race.ini) >"$work/second.log" 2>&1
status=$?
set -e
[ "$status" -eq 3 ] || fail "a second start ended with status $status, not 3"

step "Edit > Shortcuts > Register Shell Extensions, by keyboard"
xdo key --window "$window" alt
sleep 0.5
# Edit, down to Shortcuts, into it, down past Desktop, Start Menu and the greyed Send to.
xdo key --window "$window" Right Down Down Down Down Right Down Down Down Return
sleep 2
import -window root "$work/registered.png"
xdo key --window "$window" Return  # "Registered 6 of 6"
sleep 1
xdo key --window "$window" Escape  # Cancel: the window closes without saving
wait_marvok
wine reg query 'HKCR\inifile\shell' /s >"$work/verbs.txt" 2>&1 || true
grep -qi 'marvok.exe" /install' "$work/verbs.txt" || fail "the verbs were not registered: $(cat "$work/verbs.txt")"

step "the verb \"install as pod.ini\" chosen as Explorer chooses it"
list=$'2\r\nFixes\\gamma.pod\r\nalpha.pod\r\n'
printf '%s' "$list" >"$WINEPREFIX/drive_c/Pod  Lists/race.ini"
printf 'CreateObject("Shell.Application").ShellExecute WScript.Arguments(0), "", "", WScript.Arguments(1), 1\r\n' \
    >"$WINEPREFIX/drive_c/verb.vbs"
wine wscript.exe 'C:\verb.vbs' 'C:\Pod  Lists\race.ini' marvokI >"$work/verb.log" 2>&1 ||
    fail "ShellExecute of the verb: $(cat "$work/verb.log")"
for _ in $(seq 300); do
    holds "$game/pod.ini" "$list" && break
    sleep 0.2
done
holds "$game/pod.ini" "$list" ||
    fail "the verb did not install the list: $(od -c "$game/pod.ini" | head -n 3)"
echo "marvok.exe end to end: passed; picture $work/marvok-exe-wine.png"
