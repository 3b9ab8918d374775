#!/usr/bin/env bash
# The web build's figures, with the native game measured beside it in the same run: the site's
# file sizes (raw and gzipped), load to splash, the browser's CPU while playing and the tick
# intervals, then scripts/measure.sh's figures for the native game over the same seconds.
#
#   scripts/measure-web.sh [SECONDS]     (20 by default; needs the web and default builds)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}

scripts/measure.sh --game build/default/app/zandrofel "$seconds" >build/measure-native.txt 2>&1 &
native=$!
/usr/bin/python3 tests/platform/host/web/browser_test.py measure build/web/site "$seconds"
wait "$native"
echo "native game beside it:"
cat build/measure-native.txt
