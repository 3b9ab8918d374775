#!/usr/bin/env bash
# Builds the Debian package and proves it on a clean Debian 12: a fresh root made by debootstrap
# (made once, kept under build/package-check/ and copied for every run), the package installed
# there by apt with its dependencies from the mirror, and the installed game started from its
# desktop entry under Xvfb. It checks that the splash window shows, that "PLAY!" brings up the
# game's window, that closing that window ends the program with status 0, and that SIGTERM ends
# it too. Needs root (debootstrap, chroot, mounts) and the Debian mirror; slow the first time.
set -euo pipefail
cd "$(dirname "$0")/.."

work=$PWD/build/package-check
base=$work/base-root
root=$work/root
splash_title="Grommelin Quibbert's Zandrofel V2.27"
main_title="Grommelin Quibbert's Zandrofel"

say() { printf '%s [%3ds] %s\n' "package-check:" "$SECONDS" "$*"; }
fail() {
    say "FAILED: $*" >&2
    exit 1
}

# Host side -----------------------------------------------------------------------------------

need_root() {
    if [ "$(id -u)" -ne 0 ]; then
        exec sudo --preserve-env=PATH "$0" "$@"
    fi
}

install_host_tools() {
    local missing=()
    for tool in debootstrap:debootstrap Xvfb:xvfb xdotool:xdotool dpkg-shlibdeps:dpkg-dev \
        import:imagemagick unshare:util-linux; do
        command -v "${tool%%:*}" >/dev/null || missing+=("${tool#*:}")
    done
    if ((${#missing[@]})); then
        say "installing ${missing[*]}"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

# The first Debian mirror that apt on this machine uses.
mirror() {
    local uri
    uri=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
        awk '$1 == "deb" && $2 ~ /^https?:/ && $2 !~ /security/ { print $2; exit }')
    if [ -z "$uri" ]; then
        uri=$(cat /etc/apt/sources.list.d/*.sources 2>/dev/null |
            awk '$1 == "URIs:" && $2 !~ /security/ { print $2; exit }')
    fi
    echo "${uri:-http://deb.debian.org/debian}"
}

build_package() {
    say "building the program and the package"
    cmake --preset default >/dev/null
    cmake --build --preset default
    rm -rf build/default/package
    (cd build/default && cpack -G DEB >/dev/null 2>&1) || fail "cpack could not make the package"
    package=$(ls build/default/package/zandrofel_*.deb)
    dpkg-deb -c "$package" | grep '\./usr/bin/zandrofel$' >/dev/null ||
        fail "the package holds no program: the zandrofel target is not built yet"
    say "package $(basename "$package"): $(dpkg-deb -f "$package" Depends)"
}

make_base_root() {
    if [ -f "$base/.complete" ]; then
        say "reusing the Debian 12 root in $base"
        return
    fi
    say "making a minimal Debian 12 root with debootstrap from $(mirror)"
    rm -rf --one-file-system "$base"
    mkdir -p "$work"
    debootstrap --variant=minbase bookworm "$base" "$(mirror)" >"$work/debootstrap.log" 2>&1 ||
        fail "debootstrap failed; see $work/debootstrap.log"
    touch "$base/.complete"
}

fresh_root() {
    rm -rf --one-file-system "$root"
    cp -a "$base" "$root"
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    chroot "$root" useradd --create-home player
    mkdir -p "$work/apt-archives/partial"
}

# Inside a private mount namespace, so no mount outlives the run ---------------------------------

mount_root() {
    mount -t proc proc "$root/proc"
    mount --bind /dev "$root/dev"
    mount --bind "$work/apt-archives" "$root/var/cache/apt/archives"
    mkdir -p "$root/tmp/.X11-unix"
    mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
}

install_package() {
    local started=$SECONDS
    cp "$package" "$root/tmp/"
    say "installing $(basename "$package") with apt"
    {
        chroot "$root" apt-get update
        chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get install -y \
            --no-install-recommends "/tmp/$(basename "$package")"
    } >"$work/apt.log" 2>&1 || fail "apt could not install the package; see $work/apt.log"
    say "installed in $((SECONDS - started)) s: $(chroot "$root" dpkg-query -W zandrofel)"
    if chroot "$root" ldd /usr/bin/zandrofel | grep 'not found'; then
        fail "the installed program misses libraries"
    fi
}

start_xvfb() {
    # Xvfb picks a free display and writes its number once it is ready.
    : >"$work/xvfb-display"
    Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5>"$work/xvfb-display" \
        >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
        [ -s "$work/xvfb-display" ] && break
        sleep 0.1
    done
    [ -s "$work/xvfb-display" ] || fail "Xvfb did not start; see $work/xvfb.log"
    display=:$(head -n 1 "$work/xvfb-display")
    export DISPLAY=$display
}

# Starts the game the way the desktop entry does: its Exec line, as an ordinary user.
start_game() {
    local exec_line
    exec_line=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/zandrofel.desktop")
    launcher=${exec_line//\"/}
    [ -x "$root$launcher" ] || fail "the desktop entry starts $exec_line, which is not there"
    chroot --userspec=player:player "$root" env -i HOME=/home/player PATH=/usr/bin:/bin \
        DISPLAY="$display" "$launcher" >>"$work/game.log" 2>&1 &
    game_pid=$!
}

wait_window() {  # wait_window TITLE SECONDS
    timeout "$2" xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1
}

wait_exit() {  # wait_exit SECONDS; sets game_status
    local deadline=$((SECONDS + $1))
    while kill -0 "$game_pid" 2>/dev/null; do
        if ((SECONDS >= deadline)); then
            kill -KILL "$game_pid" 2>/dev/null || true
            wait "$game_pid" || true
            return 1
        fi
        sleep 0.2
    done
    game_status=0
    wait "$game_pid" || game_status=$?
}

play_and_close() {
    say "starting the installed game from its desktop entry"
    local started=$SECONDS
    start_game
    local splash
    splash=$(wait_window "$splash_title" 30) || true
    [ -n "$splash" ] || fail "no splash window within 30 s; see $work/game.log"
    sleep 1
    import -window "$splash" "$work/splash.png"
    say "splash window up after $((SECONDS - started)) s; picture in $work/splash.png"
    [ "$(readlink "/proc/$game_pid/cwd")" = "$root/home/player/.local/share/zandrofel" ] ||
        fail "the game runs in $(readlink "/proc/$game_pid/cwd"), not the player's data folder"

    # "PLAY!" sits at (226, 123) dialog units, 53 x 16 large: its middle in pixels.
    xdotool mousemove --window "$splash" 379 213 click 1
    local window
    window=$(wait_window "$main_title" 30) || true
    [ -n "$window" ] || fail "no game window within 30 s of pressing PLAY!"
    sleep 2
    import -window "$window" "$work/screenshot.png"
    # The scene has sky, house, river and road: a window of a few colours drew nothing much.
    local colours
    colours=$(convert "$work/screenshot.png" -format %k info:)
    ((colours > 50)) || fail "the game window shows only $colours colours; see $work/screenshot.png"
    say "game window up with $colours colours; screenshot in $work/screenshot.png"

    build/default/tests/program/e2e/zf_xclose "$window" || fail "cannot ask the game window to close"
    wait_exit 15 || fail "the game did not end within 15 s of closing its window"
    [ "$game_status" = 0 ] || fail "closing the game window ended it with status $game_status"
    say "closing the window ended the game with status 0"
}

terminate() {
    say "starting the game again to end it with SIGTERM"
    start_game
    local splash
    splash=$(wait_window "$splash_title" 30) || true
    [ -n "$splash" ] || fail "no splash window on the second start"
    xdotool mousemove --window "$splash" 379 213 click 1
    [ -n "$(wait_window "$main_title" 30)" ] || fail "no game window on the second start"
    kill -TERM "$game_pid"
    wait_exit 15 || fail "the game did not end within 15 s of SIGTERM"
    [ "$game_status" = 0 ] || fail "SIGTERM ended the game with status $game_status"
    say "SIGTERM ended the game with status 0"
}

inside_namespace() {
    package=$1
    SECONDS=$2  # one clock for the whole run
    trap '[ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null; [ -n "${game_pid:-}" ] && kill -KILL "$game_pid" 2>/dev/null; true' EXIT
    mount_root
    install_package
    start_xvfb
    : >"$work/game.log"
    play_and_close
    terminate
}

if [ "${1:-}" = --inside-namespace ]; then
    shift
    inside_namespace "$@"
    exit 0
fi

need_root "$@"
install_host_tools
make_base_root
build_package
fresh_root
unshare --mount --propagation private "$0" --inside-namespace "$PWD/$package" "$SECONDS"
say "passed in $SECONDS s"
