#!/usr/bin/env bash
# install_test.sh BUILD PREFIX HAS_PROGRAM: installs the build into PREFIX and checks that exactly
# the expected files arrive, with the desktop entry naming the installed launcher.
set -euo pipefail
build=$1 prefix=$2 has_program=$3

fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

expected=(
    libexec/zandrofel/launch
    share/applications/zandrofel.desktop
    share/icons/hicolor/32x32/apps/zandrofel.png
    share/icons/hicolor/64x64/apps/zandrofel.png
    share/man/man6/zandrofel.6
)
programs=(libexec/zandrofel/launch)
if [ "$has_program" = 1 ]; then programs+=(bin/zandrofel); fi
expected+=("${programs[@]:1}")

actual=$(cd "$prefix" && find . -mindepth 1 ! -type d | sed 's|^\./||' | LC_ALL=C sort)
wanted=$(printf '%s\n' "${expected[@]}" | LC_ALL=C sort)
if [ "$actual" != "$wanted" ]; then
    diff <(echo "$wanted") <(echo "$actual") >&2 || true
    fail "the installed files differ from the expected ones (< expected, > installed)"
fi

for program in "${programs[@]}"; do
    [ -x "$prefix/$program" ] || fail "$program is not executable"
done

exec_line=$(grep '^Exec=' "$prefix/share/applications/zandrofel.desktop")
[ "$exec_line" = "Exec=\"$prefix/libexec/zandrofel/launch\"" ] ||
    fail "the desktop entry starts $exec_line, not the installed launcher"
echo "installed ${#expected[@]} files as expected"
