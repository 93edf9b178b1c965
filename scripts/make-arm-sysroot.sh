#!/usr/bin/env bash
# Makes (or reuses) the armel sysroot for the handheld build: Debian's ARM libraries and headers, plus GoogleTest built for ARM.
# Usage: scripts/make-arm-sysroot.sh [DIR]   (default: $DWINDLE_ARM_SYSROOT or ~/.cache/dwindle/armel-sysroot)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

sysroot=${1:-${DWINDLE_ARM_SYSROOT:-${XDG_CACHE_HOME:-$HOME/.cache}/dwindle/armel-sysroot}}
# Absolute: the path ends up in the toolchain file's --sysroot and in qemu's -L.
sysroot=$(realpath -m "$sysroot")
suite=bookworm
# Only what the game links against; debootstrap adds their dependencies.
include=libsdl1.2-dev,libsdl-image1.2-dev,libsdl-gfx1.2-dev
jobs=${DWINDLE_ARM_JOBS:-2}

# Use the Debian mirror apt on this machine already uses: it is the one that is reachable.
find_mirror() {
    local uri
    uri=$( { grep -hs '^URIs:' /etc/apt/sources.list.d/*.sources | awk '{print $2}'
             grep -hs '^deb ' /etc/apt/sources.list /etc/apt/sources.list.d/*.list |
                 awk '{for (i = 2; i <= NF; i++) if ($i !~ /^\[/) {print $i; break}}'
           } | grep -E '/debian/?$' | head -n 1 || true)
    echo "${uri:-http://deb.debian.org/debian}"
}
mirror=${DWINDLE_ARM_MIRROR:-$(find_mirror)}

# The stamp records what the sysroot was made from, so a change to the list remakes it.
stamp_text="suite=$suite include=$include"
stamp=$sysroot/.dwindle-sysroot-complete

if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$stamp_text" ]; then
    echo "armel sysroot: reusing $sysroot"
elif [ ! -f "$stamp" ] && [ -d "$sysroot" ] && [ -n "$(ls -A "$sysroot")" ]; then
    # Another toolchain's own sysroot: never replace it, only add GoogleTest below.
    echo "armel sysroot: $sysroot was not made here, using it as it is"
else
    echo "armel sysroot: downloading $suite into $sysroot"
    # Work in a side folder and move it in place at the end, so an interrupted run never
    # leaves a half-made sysroot that looks complete.
    work=$sysroot.partial
    rm -rf "$work"
    mkdir -p "$(dirname "$sysroot")"
    # --foreign only downloads and unpacks the bare base: no ARM code runs here. The
    # multiarch route (dpkg --add-architecture) is not used because the host's security
    # updates are newer than the armel ones and apt refuses the mix.
    # debootstrap only runs as root; a developer who is not gets the folder back as theirs.
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" debootstrap --variant=minbase --foreign --arch=armel --include="$include" \
        "$suite" "$work" "$mirror"
    [ ${#sudo[@]} -eq 0 ] || sudo chown -R "$(id -u):$(id -g)" "$work"

    # Unpack every downloaded package, not just the base set debootstrap unpacked.
    debs=("$work"/var/cache/apt/archives/*.deb)
    echo "armel sysroot: unpacking ${#debs[@]} packages"
    for deb in "${debs[@]}"; do
        dpkg -x "$deb" "$work"
    done
    rm -f "$work"/var/cache/apt/archives/*.deb

    # Packages ship absolute links (libm.so -> /lib/...); outside a chroot they would point
    # at the host's own libraries, so make every one relative to the sysroot.
    find "$work" -type l -lname '/*' -print0 | while IFS= read -r -d '' link; do
        target=$(readlink "$link")
        ln -sfn "$(realpath -m -s --relative-to="$(dirname "$link")" "$work$target")" "$link"
    done

    # Fail here, not in the middle of a build, if a library the linker needs is missing.
    for lib in libc.so libm.so libSDL.so libSDL_image.so libSDL_gfx.so; do
        if [ ! -e "$work/usr/lib/arm-linux-gnueabi/$lib" ]; then
            echo "armel sysroot: $lib is missing or a broken link" >&2
            exit 1
        fi
    done

    rm -rf "$sysroot"
    mv "$work" "$sysroot"
    echo "$stamp_text" >"$stamp"
fi

# GoogleTest for ARM: Debian ships only its source, so build it with the same toolchain
# file the game uses and install it into the sysroot, where find_package(GTest) looks.
gtest_src=/usr/src/googletest
# The compiler is part of the stamp: GoogleTest must be rebuilt for another toolchain.
gtest_version="$(dpkg-query -W -f='${Version}' googletest) ${DWINDLE_ARM_PREFIX:-arm-linux-gnueabi-} ${DWINDLE_ARM_FLAGS:-}"
gtest_stamp=$sysroot/.dwindle-gtest-complete
if [ -f "$gtest_stamp" ] && [ "$(cat "$gtest_stamp")" = "$gtest_version" ]; then
    echo "armel GoogleTest: reusing $gtest_version"
else
    echo "armel GoogleTest: building $gtest_version"
    # A scratch folder: another toolchain's sysroot may sit where we should not write.
    gtest_build=$(mktemp -d)
    trap 'rm -rf "$gtest_build"' EXIT
    cmake -S "$gtest_src" -B "$gtest_build" \
        -DCMAKE_TOOLCHAIN_FILE="$here/cmake/arm-linux-gnueabi.cmake" \
        -DDWINDLE_ARM_SYSROOT="$sysroot" \
        -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX=/usr/local \
        -DCMAKE_STAGING_PREFIX="$sysroot/usr/local" \
        -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON >/dev/null
    nice -n 10 cmake --build "$gtest_build" -j "$jobs"
    cmake --install "$gtest_build" >/dev/null
    rm -rf "$gtest_build"
    echo "$gtest_version" >"$gtest_stamp"
fi
