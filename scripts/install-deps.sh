#!/usr/bin/env bash
# Installs the Debian packages a group of tasks needs, when they are missing.
# Usage: scripts/install-deps.sh GROUP...   (groups: build test play package arm arm64 port web webtest)
set -euo pipefail

packages=()
for group in "$@"; do
    case "$group" in
        build) packages+=(cmake make g++ pkg-config libsdl1.2-dev libsdl-image1.2-dev
                          libsdl-gfx1.2-dev libsdl-mixer1.2-dev libstb-dev libgtest-dev
                          libbenchmark-dev libvorbis-dev) ;;
        # The tests: the sanitizer build and the format check, the game under an X server of
        # its own with a window manager for full screen, and the compatibility library, whose
        # SDL2 makes gamepads.
        test) packages+=(clang clang-format libclang-rt-14-dev libsdl1.2-compat
                         xvfb xdotool imagemagick x11-utils openbox strace valgrind) ;;
        play) packages+=(libsdl1.2-compat) ;;
        # The Debian package: its build (dpkg-shlibdeps for its dependencies) and its checks.
        package) packages+=(dpkg-dev file lintian desktop-file-utils appstream) ;;
        # The handheld build: an armel cross compiler, qemu to run its tests, debootstrap
        # to fetch the ARM libraries, and googletest's source to build it for ARM.
        arm) packages+=(g++-arm-linux-gnueabi gcc-arm-linux-gnueabi binutils-arm-linux-gnueabi
                        qemu-user debootstrap debian-archive-keyring googletest
                        cmake make pkg-config) ;;
        # The aarch64 port: the same for arm64.
        arm64) packages+=(g++-aarch64-linux-gnu gcc-aarch64-linux-gnu binutils-aarch64-linux-gnu
                          qemu-user debootstrap debian-archive-keyring googletest
                          cmake make pkg-config) ;;
        # The port's folder: its screenshot, its zip, and the stand-in device its test runs.
        port) packages+=(imagemagick zip util-linux) ;;
        # The browser build: emscripten, and the parser its JavaScript optimiser loads
        # (from Debian's Node module folder, /usr/share/nodejs, on NODE_PATH).
        web) packages+=(emscripten node-acorn) ;;
        # The browser test: a headless browser and Node, whose npm installs the test's
        # pinned puppeteer-core.
        webtest) packages+=(chromium nodejs)
                 command -v npm >/dev/null || packages+=(npm) ;;
        *) echo "unknown package group: $group" >&2; exit 2 ;;
    esac
done

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
