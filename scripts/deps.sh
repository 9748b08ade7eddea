#!/usr/bin/env bash
# Installs the Debian packages Marvok needs to build, test and run, when any is missing.
# The one list of the project's packages.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config     # build
    qt6-base-dev                         # the windows (Qt 6 Widgets)
    libgtest-dev googletest              # core tests (the source package builds it for Windows)
    g++-mingw-w64-x86-64-posix           # the Windows build of the core and its tests
    wine wine64                          # runs the Windows tests
    dpkg-dev                             # apt-get source: Qt's source for the Windows kit
    xvfb xdotool imagemagick             # marvok.exe end to end on a virtual display, its picture
    findutils                            # the discovery benchmark compares against find
    clang libclang-rt-dev                # the fuzz targets (libFuzzer)
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi
echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
