#!/usr/bin/env bash
# Sets up the machine, then builds and runs the whole test suite twice: the default build with
# every test (end-to-end ones under Xvfb included), and the sanitizer build with all but those.
# The web build comes first: the default suite's browser tests (label web) play its site.
# Then the Windows build, whose tests run under Wine in a prefix made for this run.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

for preset in web default asan; do
    cmake --preset "$preset"
    cmake --build --preset "$preset"
done
ctest --preset default
ctest --preset asan

cmake --preset windows
cmake --build --preset windows
(
    source scripts/wine-prefix.sh
    ctest --preset windows
)
