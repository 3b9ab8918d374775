#!/usr/bin/env bash
# Builds FreeType for WebAssembly from Debian's own source package, once, into build/freetype-wasm/
# (the web preset links it from there). Debian's Emscripten cannot build its FreeType port, and
# building the same release Linux uses keeps the text pixel-identical. Only the Windows font
# driver is registered: the game draws with two raster fonts alone, and every other driver and
# renderer would be downloaded for nothing (about half the program).
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD/build/freetype-wasm"
modules="FT_USE_MODULE( FT_Driver_ClassRec, winfnt_driver_class )"
if [ -f "$root/lib/libfreetype.a" ] && [ "$(cat "$root/modules" 2>/dev/null)" = "$modules" ]; then
    exit 0
fi
export NODE_PATH=/usr/share/nodejs

mkdir -p "$root/src"
if ! ls -d "$root"/src/freetype-*/ >/dev/null 2>&1; then
    (cd "$root/src" && apt-get source freetype >/dev/null)
fi
source_dir=$(ls -d "$root"/src/freetype-*/ | head -n 1)
rm -rf "$root/build"
emcmake cmake -S "$source_dir" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DCMAKE_INSTALL_PREFIX="$root" -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
    -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON >/dev/null
# The build's own include folder comes first, so this list stands in for the source's.
mkdir -p "$root/build/include/freetype/config"
echo "$modules" >"$root/build/include/freetype/config/ftmodule.h"
nice cmake --build "$root/build" -j2
cmake --install "$root/build" >/dev/null
echo "$modules" >"$root/modules"
