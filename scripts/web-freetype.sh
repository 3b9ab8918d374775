#!/usr/bin/env bash
# Builds FreeType for WebAssembly from Debian's own source package, once, into build/freetype-wasm/
# (the web preset links it from there). Debian's Emscripten cannot build its FreeType port, and
# building the same release Linux uses keeps the text pixel-identical.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD/build/freetype-wasm"
if [ -f "$root/lib/libfreetype.a" ]; then exit 0; fi
export NODE_PATH=/usr/share/nodejs

mkdir -p "$root/src"
if ! ls -d "$root"/src/freetype-*/ >/dev/null 2>&1; then
    (cd "$root/src" && apt-get source freetype >/dev/null)
fi
source_dir=$(ls -d "$root"/src/freetype-*/ | head -n 1)
emcmake cmake -S "$source_dir" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$root" -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
    -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON >/dev/null
nice cmake --build "$root/build" -j2
cmake --install "$root/build" >/dev/null
