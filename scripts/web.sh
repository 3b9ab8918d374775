#!/usr/bin/env bash
# Builds the game for web browsers and serves it at http://127.0.0.1:8080 (Ctrl-C stops it).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
export NODE_PATH=/usr/share/nodejs
cmake --preset web >/dev/null
cmake --build --preset web
echo "Serving the game at http://127.0.0.1:8080/"
exec python3 -m http.server 8080 --bind 127.0.0.1 --directory build/web/site
