#!/usr/bin/env bash
# Sets up the machine, builds the game and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset default
cmake --build --preset default
exec build/default/app/zandrofel
