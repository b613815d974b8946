#!/usr/bin/env bash
# Builds the game alone (no tests, benchmarks or fuzz targets: the `play` preset) and
# starts it with data/ as its working directory. Arguments are passed to the game (a
# SETTINGS_*.cfg file, an extra .cfg file, KEY==value overrides).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

if [ -z "${DISPLAY:-}" ]; then
    echo "play: no display is available (DISPLAY is not set); start the game from a desktop session." >&2
    exit 1
fi

scripts/bootstrap --play
cmake --preset play >/dev/null
cmake --build --preset play -j "$(nproc)"

cd data
exec "$root/build/play/game/quorlith" "$@"
