#!/usr/bin/env bash
# Sets up the machine, builds the game and starts it. Until the game's window exists, it runs
# the drawing demo instead and says where its picture went.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset default
cmake --build --preset default

game=build/default/app/zandrofel
if [ -x "$game" ]; then
    exec "$game"
fi

mkdir -p out
picture="$PWD/out/gdi_demo.png"
build/default/tools/gdi_demo/gdi_demo "$picture"
echo "The game itself is not built yet, so nothing starts. The drawing layer's demo drew" \
     "a test scene instead; the picture is $picture" >&2
