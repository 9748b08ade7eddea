#!/usr/bin/env bash
# Builds Marvok and opens it on a demo game folder (build/demo-game), made on the first run.
# Marvok lives in the game folder, so the executable is copied there. Arguments are passed on
# (for example: scripts/demo.sh /open ini\\ice-night.ini). MARVOK_DEMO_FRESH=1 remakes the folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

cmake --preset linux -G Ninja >/dev/null
cmake --build --preset linux -j "$(nproc)" --target marvok

game="$PWD/build/demo-game"
if [ ! -f "$game/monster.exe" ] || [ "${MARVOK_DEMO_FRESH:-0}" = 1 ]; then
    scripts/make-demo-game.sh "$game" >/dev/null
fi
cp build/linux/src/app/marvok "$game/marvok"
echo "Marvok on the demo game folder $game"
exec "$game/marvok" "$@"
