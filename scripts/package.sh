#!/usr/bin/env bash
# Makes the two downloads in dist/:
#   marvok-<version>-windows-x64.zip  marvok.exe (one static file), README.md (and its picture), LICENSE
#   marvok-<version>-linux-x64.tar.gz marvok/ with the marvok program (needs Qt 6 from the system),
#                                     its icon marvok.png, README.md, LICENSE
# The Windows build needs the Qt kit of scripts/qt-kit.sh (made on first use, cached).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
version=$(sed -n 's/^project(Marvok VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "package: no version in CMakeLists.txt" >&2; exit 1; }
jobs=$(nproc)

echo "== Windows program"
MARVOK_QT_KIT=$(scripts/qt-kit.sh | tail -n 1)
export MARVOK_QT_KIT
cmake --preset mingw -G Ninja >/dev/null
cmake --build --preset mingw -j "$jobs" --target marvok

echo "== Linux program"
# -O2: GCC 12 warns falsely about string concatenation at -O3 (GCC bug 105651).
cmake -S . -B build/package-linux -G Ninja -DCMAKE_BUILD_TYPE=Release -DMARVOK_WERROR=ON \
    -DMARVOK_BUILD_TESTS=OFF "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" >/dev/null
cmake --build build/package-linux -j "$jobs" --target marvok

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p dist

win="$stage/windows"
mkdir -p "$win/docs"
cp build/mingw/src/app/marvok.exe README.md LICENSE "$win/"
cp docs/marvok-exe-wine.png "$win/docs/"
rm -f "dist/marvok-$version-windows-x64.zip"
(cd "$win" && cmake -E tar cf "$OLDPWD/dist/marvok-$version-windows-x64.zip" --format=zip \
    marvok.exe README.md LICENSE docs/marvok-exe-wine.png)

linux="$stage/linux/marvok"
mkdir -p "$linux/docs"
cp build/package-linux/src/app/marvok README.md LICENSE "$linux/"
cp docs/marvok-exe-wine.png "$linux/docs/"
strip "$linux/marvok"
# The 256-pixel image of the program's icon, for launchers.
convert 'src/app/windows/marvok.ico[7]' "$linux/marvok.png"
tar -C "$stage/linux" -czf "dist/marvok-$version-linux-x64.tar.gz" marvok

ls -l "dist/marvok-$version-windows-x64.zip" "dist/marvok-$version-linux-x64.tar.gz"
