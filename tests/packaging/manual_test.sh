#!/usr/bin/env bash
# manual_test.sh PAGE: the manual page formats with every groff warning on and none given, and
# man reads it as section 6.
set -euo pipefail
page=$1

fail() { echo "FAIL: $*" >&2; exit 1; }

warnings=$(groff -t -man -ww -z -Tutf8 "$page" 2>&1) || fail "groff: $warnings"
[ -z "$warnings" ] || fail "groff warns: $warnings"
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null) || fail "man: $warnings"
[ -z "$warnings" ] || fail "man warns: $warnings"
first=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" 2>/dev/null | head -n 1)
[[ $first == ZANDROFEL\(6\)* ]] || fail "the page opens with '$first'"
echo "manual page formats cleanly"
