#!/usr/bin/env bash
# Runs the end-to-end tests (ctest label e2e) again and again, 20 times unless told otherwise,
# and reports how many runs passed in full; a failing run's output is kept and named.
#
#   scripts/e2e-loop.sh [RUNS]
set -uo pipefail
cd "$(dirname "$0")/.."

runs=${1:-20}
cmake --build --preset default >/dev/null || { echo "the build failed" >&2; exit 1; }
logs=$(mktemp -d)
passed=0
for run in $(seq "$runs"); do
    if ctest --preset default -L e2e >"$logs/run-$run.log" 2>&1; then
        passed=$((passed + 1))
        rm "$logs/run-$run.log"
    else
        echo "run $run failed; its output: $logs/run-$run.log"
        grep -E "Failed|screenshot kept|output kept" "$logs/run-$run.log" | head -20
    fi
done
echo "e2e: $passed of $runs runs passed"
echo "$passed passed, $((runs - passed)) failed"
((passed == runs))
