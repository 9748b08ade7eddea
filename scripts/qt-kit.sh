#!/usr/bin/env bash
# Builds the Qt kit the Windows program links against: a static, release Qt for MinGW-w64, made from
# Debian's own qt6-base source of the host's Qt version (the host's Qt provides moc, rcc and uic).
# Only what Marvok needs: QtCore, QtGui, QtWidgets, QtTest, the windows and offscreen platforms and
# the Windows styles. The kit is cached under ${XDG_CACHE_HOME:-~/.cache}/marvok/, keyed on the Qt
# version and this script's content; it is moved into place only once installed whole, so an
# interrupted build is resumed, never trusted. The last line printed is the kit's folder.
set -euo pipefail
script="$(cd "$(dirname "$0")" && pwd)/$(basename "$0")"

say() { echo "qt-kit: $*" >&2; }

host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)   # e.g. 6.4.2+dfsg-10
qt_version=${host_version%%[+~-]*}
key=$(sha256sum "$script" | cut -c1-12)
cache="${XDG_CACHE_HOME:-$HOME/.cache}/marvok"
kit="$cache/qt-$qt_version-mingw64-static-$key"
if [ -f "$kit/lib/cmake/Qt6/Qt6Config.cmake" ]; then
    echo "$kit"
    exit 0
fi

work="$cache/.qt-kit-build-$qt_version-$key"
mkdir -p "$work"
jobs=$(nproc)
say "building Qt $qt_version for MinGW-w64 once (about 40-60 minutes on two cores; later runs reuse it)"
say "work folder: $work"

fail() {
    say "step '$1' failed; see $2"
    tail -n 30 "$2" >&2 || true
    exit 1
}

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

# 1. The source: apt-get source needs a deb-src entry for the machine's own suites.
if [ ! -f "$work/source.done" ]; then
    log="$work/1-source.log"
    : >"$log"
    if ! apt-get source --print-uris "qt6-base=$host_version" >>"$log" 2>&1; then
        list=/etc/apt/sources.list.d/marvok-deb-src.sources
        say "no deb-src entry for qt6-base; adding $list (the source suites of this machine)"
        {
            for f in /etc/apt/sources.list.d/*.sources; do
                [ -f "$f" ] || continue
                grep -q 'debian' "$f" || continue
                sed -e 's/^Types:.*/Types: deb-src/' "$f"
                echo
            done
            if [ -f /etc/apt/sources.list ]; then
                sed -n 's/^deb \(.*debian.*\)/# deb-src \1/p' /etc/apt/sources.list
            fi
        } | $sudo tee "$list.tmp" >/dev/null
        # A one-line sources.list has its deb-src written as a one-line list of its own.
        if grep -q '^# deb-src' "$list.tmp"; then
            sed -n 's/^# //p' "$list.tmp" | $sudo tee /etc/apt/sources.list.d/marvok-deb-src.list >/dev/null
            $sudo sed -i '/^# deb-src/d' "$list.tmp"
        fi
        $sudo mv "$list.tmp" "$list"
        $sudo apt-get update -qq >>"$log" 2>&1 || fail "apt-get update" "$log"
    fi
    say "1/4 fetching Debian's qt6-base $host_version source"
    rm -rf "$work/src"
    mkdir -p "$work/src"
    # apt drops to its own user to download: let it write here.
    chmod 777 "$work/src"
    (cd "$work/src" && apt-get source -qq "qt6-base=$host_version") >>"$log" 2>&1 ||
        fail "fetch source" "$log"
    touch "$work/source.done"
fi
src=$(find "$work/src" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
[ -n "$src" ] || fail "find source" "$work/1-source.log"

# 2. Configure. Debian's repacked source has no wintab, hence no tablet events; the find root is
# held to the MinGW sysroot so that no Linux header or library is picked up. Direct2D stays: in
# Qt 6.4 the windows platform's DirectWrite font database is built only with it.
build="$work/build"
if [ ! -f "$work/configure.done" ]; then
    log="$work/2-configure.log"
    say "2/4 configuring (about a minute)"
    rm -rf "$build"
    mkdir -p "$build"
    (cd "$build" && "$src/configure" \
        -prefix "$kit" \
        -xplatform win32-g++ -device-option CROSS_COMPILE=x86_64-w64-mingw32- \
        -qt-host-path /usr -static -release -nomake examples -nomake tests \
        -no-opengl -no-feature-vulkan -no-icu -no-fontconfig -no-feature-glib \
        -no-feature-sql -no-feature-network -no-feature-dbus -no-feature-printsupport \
        -no-feature-jpeg -no-feature-harfbuzz -no-feature-tabletevent \
        -no-feature-concurrent -no-feature-xml \
        -qt-zlib -qt-libpng -qt-pcre -qt-freetype \
        -- \
        -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR=x86_64 \
        -DCMAKE_C_COMPILER=x86_64-w64-mingw32-gcc-posix \
        -DCMAKE_CXX_COMPILER=x86_64-w64-mingw32-g++-posix \
        -DCMAKE_RC_COMPILER=x86_64-w64-mingw32-windres \
        -DCMAKE_FIND_ROOT_PATH=/usr/x86_64-w64-mingw32 \
        -DCMAKE_FIND_ROOT_PATH_MODE_PROGRAM=NEVER \
        -DCMAKE_FIND_ROOT_PATH_MODE_LIBRARY=ONLY \
        -DCMAKE_FIND_ROOT_PATH_MODE_INCLUDE=ONLY \
        -DCMAKE_FIND_ROOT_PATH_MODE_PACKAGE=ONLY \
        -DQt6HostInfo_DIR=/usr/lib/x86_64-linux-gnu/cmake/Qt6HostInfo) >"$log" 2>&1 ||
        fail "configure" "$log"
    touch "$work/configure.done"
fi

# 3. Build, resumed where an earlier run stopped.
log="$work/3-build.log"
say "3/4 building with $jobs jobs (progress every 50 steps; full log $log)"
set +e
cmake --build "$build" --parallel "$jobs" 2>&1 | tee -a "$log" |
    awk -F'[][/]' '/^\[[0-9]+\/[0-9]+\]/ { if ($2 - last >= 50 || $2 == $3) { printf "qt-kit: %d/%d\n", $2, $3; fflush(); last = $2 } }' >&2
status=${PIPESTATUS[0]}
set -e
[ "$status" -eq 0 ] || fail "build" "$log"

# 4. Install beside the kit's place, then move it there whole.
log="$work/4-install.log"
say "4/4 installing"
rm -rf "$work/kit"
cmake --install "$build" --prefix "$work/kit" >"$log" 2>&1 || fail "install" "$log"
[ -f "$work/kit/lib/cmake/Qt6/Qt6Config.cmake" ] || fail "install" "$log"
rm -rf "$kit"
mv "$work/kit" "$kit"
rm -rf "$work"
say "kit ready: $kit"
echo "$kit"
