#!/usr/bin/env bash
# desktop_entry_test.sh PREFIX: the installed desktop entry passes desktop-file-validate without a
# word, and names an icon that the install put into the icon theme.
set -euo pipefail
prefix=$1
entry=$prefix/share/applications/zandrofel.desktop

fail() { echo "FAIL: $*" >&2; exit 1; }

report=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $report"
[ -z "$report" ] || fail "desktop-file-validate has remarks: $report"

value() { sed -n "s/^$1=//p" "$entry"; }
[ "$(value Name)" = "Grommelin Quibbert's Zandrofel" ] || fail "Name is $(value Name)"
[ "$(value Categories)" = "Game;ArcadeGame;" ] || fail "Categories is $(value Categories)"
icon=$(value Icon)
for side in 32 64; do
    [ -f "$prefix/share/icons/hicolor/${side}x$side/apps/$icon.png" ] ||
        fail "no ${side}x$side icon named $icon"
done
echo "desktop entry valid"
