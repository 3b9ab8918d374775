#!/usr/bin/env bash
# Builds the high-score file fuzzer (the fuzz preset) with clang's libFuzzer (address and undefined-behaviour
# sanitizers on) and runs it on one core for SECONDS (default 60), at low priority.
# New corpus inputs go to build/fuzz/corpus; failing inputs to tests/scores/regressions/, where
# the ordinary tests replay them.
set -euo pipefail
cd "$(dirname "$0")/.."

# Debian's clang and its fuzzer runtime; installed here, since only this script needs them.
if ! command -v clang++-14 >/dev/null || ! dpkg-query -W -f='${Status}' libclang-rt-14-dev 2>/dev/null |
        grep -q "install ok installed"; then
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends clang-14 libclang-rt-14-dev
fi

seconds=${1:-60}
root=$PWD
build=$root/build/fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
mkdir -p "$build/corpus" "$root/tests/scores/regressions"

# The fuzzer works in a private directory below TMPDIR (so every path here is absolute);
# memory is quicker than disk there.
if [[ -z "${TMPDIR:-}" && -d /dev/shm && -w /dev/shm ]]; then export TMPDIR=/dev/shm; fi

exec nice -n 10 "$build/fuzz/score_file_fuzzer" \
    -max_total_time="$seconds" -max_len=10000 -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$root/tests/scores/regressions/" \
    "$build/corpus" "$root/fuzz/corpus"
