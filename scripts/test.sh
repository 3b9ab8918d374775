#!/usr/bin/env bash
# Sets up the machine, then builds and runs the whole test suite twice: the default build with
# every test (end-to-end ones under Xvfb included), and the sanitizer build with all but those.
# The web build comes first: the default suite's browser tests (label web) play its site.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

for preset in web default asan; do
    cmake --preset "$preset"
    cmake --build --preset "$preset"
done
ctest --preset default
ctest --preset asan
