#!/usr/bin/env bash
# Remakes src/app/windows/marvok.ico from the icon the windows draw (after changing that drawing).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake --preset linux -G Ninja >/dev/null
cmake --build --preset linux --target marvok_icon
build/linux/src/app/marvok_icon src/app/windows/marvok.ico
echo "wrote src/app/windows/marvok.ico"
