#!/usr/bin/env bash
# The soak at full length: the real game on the headless host, played at random for a million
# ticks unless told otherwise, in the default build (where resident memory means something),
# niced so that it shares the machine. Prints the figures; status 1 when the soak failed.
#
#   scripts/soak.sh [TICKS] [SEED]
#
# ZF_SOAK_PRESET=asan runs it under AddressSanitizer and UndefinedBehaviorSanitizer instead;
# ZF_SOAK_MEMORY=FILE writes every memory sample (tick, resident KiB, heap in use KiB).
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${ZF_SOAK_PRESET:-default}
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target zandrofel-soak >/dev/null
if [[ $preset == asan ]]; then
    export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1}
    export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
fi
exec nice -n 10 "build/$preset/tests/program/soak/zandrofel-soak" "$@"
