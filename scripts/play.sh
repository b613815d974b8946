#!/usr/bin/env bash
# Builds the game and starts it with data/ as its working directory. Arguments are
# passed to the game (a SETTINGS_*.cfg file, an extra .cfg file, KEY==value overrides).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

scripts/bootstrap
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)"

if [ -z "${DISPLAY:-}" ]; then
    echo "play: no display is available (DISPLAY is not set); start the game from a desktop session." >&2
    exit 1
fi
if [ ! -x build/default/game/quorlith ]; then
    echo "play: the game is not built yet; only the engine and its tests exist so far."
    exit 0
fi
cd data
exec "$root/build/default/game/quorlith" "$@"
