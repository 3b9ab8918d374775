#!/usr/bin/env bash
# Installs whatever the build, the game and the tests need that this Debian 12 machine lacks.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    libsdl2-dev libfreetype-dev libpng-dev fonts-wine
    libx11-dev xvfb xdotool imagemagick x11-utils x11-xserver-utils weston desktop-file-utils man-db
    espeak-ng strace python3
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64
    emscripten chromium dpkg-dev python3-websocket
    # The browser tests' other engines: Gecko, and WebKit with its WebDriver
    firefox-esr webkit2gtk-driver
)

# The web build compiles FreeType from Debian's source package (scripts/web-freetype.sh), which
# needs the source archive in apt's list.
source_list=/etc/apt/sources.list.d/zandrofel-deb-src.sources
if ! grep -rqs "^Types:.*deb-src" /etc/apt/sources.list.d/ && ! grep -qs "^deb-src" /etc/apt/sources.list; then
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
    # The same archive as the binary packages, asked for its sources too.
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
            $sudo tee "$source_list" >/dev/null
    else
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list |
            $sudo tee "${source_list%.sources}.list" >/dev/null
    fi
    $sudo apt-get update
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
