#!/usr/bin/env bash
# launcher_test.sh LAUNCHER: the desktop entry's launcher, copied into a scratch tree beside a
# stand-in program that records where it was started and with what.
set -euo pipefail
launcher=$1

fail() { echo "FAIL: $*" >&2; exit 1; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
tree="$scratch/usr tree"
mkdir -p "$tree/libexec/zandrofel" "$tree/bin" "$scratch/home" "$scratch/elsewhere"
cp "$launcher" "$tree/libexec/zandrofel/launch"
cat >"$tree/bin/zandrofel" <<'PROGRAM'
#!/bin/sh
{ pwd; echo "$#:$*"; } >"$STAND_IN_LOG"
exit "${STAND_IN_STATUS:-0}"
PROGRAM
chmod +x "$tree/bin/zandrofel"
log="$scratch/started"

# run [VAR=value...] -- COMMAND...: in a bare environment from the scratch folder "elsewhere";
# sets status and leaves the stand-in's record in $log.
run() {
    local vars=()
    while [ "$1" != -- ]; do vars+=("$1"); shift; done
    shift
    rm -f "$log"
    status=0
    (cd "$scratch/elsewhere" &&
        env -i PATH=/usr/bin:/bin STAND_IN_LOG="$log" "${vars[@]}" "$@") 2>"$scratch/stderr" ||
        status=$?
}

expect_started_in() {
    [ -f "$log" ] || fail "$1: the program did not start ($(cat "$scratch/stderr"))"
    [ "$(head -n 1 "$log")" = "$2" ] || fail "$1: started in $(head -n 1 "$log"), not $2"
}

data="$scratch/data home"
run HOME="$scratch/home" XDG_DATA_HOME="$data" STAND_IN_STATUS=7 -- \
    "$tree/libexec/zandrofel/launch" one two
expect_started_in "XDG_DATA_HOME set" "$data/zandrofel"
[ "$(tail -n 1 "$log")" = "2:one two" ] || fail "arguments arrived as $(tail -n 1 "$log")"
[ "$status" = 7 ] || fail "the program's status 7 came back as $status"

for unset_as in "" "XDG_DATA_HOME=" "XDG_DATA_HOME=relative/data"; do
    rm -rf "$scratch/home/.local"
    run HOME="$scratch/home" $unset_as -- "$tree/libexec/zandrofel/launch"
    expect_started_in "XDG_DATA_HOME ${unset_as:-unset}" "$scratch/home/.local/share/zandrofel"
done
[ ! -e "$scratch/elsewhere/relative" ] || fail "a relative XDG_DATA_HOME made a folder"

# Started through a relative symbolic link, as a menu or a user's own link might.
mkdir "$scratch/links"
ln -s "$tree/libexec/zandrofel/launch" "$scratch/links/zandrofel-desktop"
run HOME="$scratch/home" -- ../links/zandrofel-desktop
expect_started_in "through a link" "$scratch/home/.local/share/zandrofel"

# A data folder that cannot be made, and no home at all, stop before the program starts.
touch "$scratch/a file"
run HOME="$scratch/home" XDG_DATA_HOME="$scratch/a file/data" -- "$tree/libexec/zandrofel/launch"
[ "$status" != 0 ] && [ ! -f "$log" ] || fail "started although the data folder is a file's child"
run -- "$tree/libexec/zandrofel/launch"
[ "$status" != 0 ] && [ ! -f "$log" ] || fail "started without HOME or XDG_DATA_HOME"
grep -q HOME "$scratch/stderr" || fail "no word about the missing HOME: $(cat "$scratch/stderr")"
echo "launcher checks passed"
