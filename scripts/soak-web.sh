#!/usr/bin/env bash
# Plays the browser build with random input in headless Chromium for MINUTES (30 by default)
# and reports the WebAssembly memory and the JavaScript heap at the start, every five minutes
# and at the end; fails if either grew. Not part of scripts/test.sh: it takes half an hour.
set -euo pipefail
cd "$(dirname "$0")/.."
minutes="${1:-30}"
if [ ! -f build/web/site/zandrofel.wasm ]; then
    cmake --preset web
    cmake --build --preset web
fi
exec /usr/bin/python3 tests/platform/host/web/browser_test.py soak build/web/site "$minutes"
