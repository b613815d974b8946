#!/usr/bin/env bash
# Builds Quorlith for the browser and serves it on this machine:
#   scripts/web.sh [port]      (default 8000), then open the address it prints
# The page takes command-line overrides in its address: index.html?GAME_SEED==42
set -euo pipefail
cd "$(dirname "$0")/.."

port="${1:-8000}"
scripts/bootstrap --web
export NODE_PATH=/usr/share/nodejs EMSDK_PYTHON=/usr/bin/python3
cmake --preset web >/dev/null
cmake --build --preset web
echo "Quorlith in the browser: http://127.0.0.1:${port}/index.html"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build/web/site
