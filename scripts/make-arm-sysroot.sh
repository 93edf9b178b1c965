#!/usr/bin/env bash
# Makes (or reuses) an ARM sysroot: Debian's armel (handheld build) or arm64 (port) libraries and headers, plus GoogleTest built for them.
# Usage: scripts/make-arm-sysroot.sh [--arch armel|arm64] [DIR]
#        (default: $DWINDLE_ARM_ARCH or armel; $DWINDLE_ARM_SYSROOT or ~/.cache/dwindle/ARCH-sysroot)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

arch=${DWINDLE_ARM_ARCH:-armel}
if [ "${1:-}" = --arch ]; then
    arch=$2
    shift 2
fi
# Only what the game links against (SDL_mixer for the sound); debootstrap adds their
# dependencies. Packages in leave_out are downloaded as dependencies but not unpacked.
case "$arch" in
    armel)
        triplet=arm-linux-gnueabi
        include=libsdl1.2-dev,libsdl-image1.2-dev,libsdl-gfx1.2-dev,libsdl-mixer1.2-dev
        leave_out=()
        ;;
    arm64)
        # Today's handhelds have SDL2, not SDL 1.2: the game gets SDL 1.2 through the
        # compatibility library over SDL2. The other libraries name the classic SDL 1.2,
        # which debootstrap then fetches too: leave it out, or it would overwrite the
        # compatibility library's files.
        triplet=aarch64-linux-gnu
        include=libsdl1.2-compat-dev,libsdl2-2.0-0,libsdl-image1.2-dev,libsdl-gfx1.2-dev,libsdl-mixer1.2-dev
        leave_out=(libsdl1.2debian libsdl1.2-dev)
        ;;
    *)
        echo "make-arm-sysroot: unknown architecture $arch (armel or arm64)" >&2
        exit 2
        ;;
esac

sysroot=${1:-${DWINDLE_ARM_SYSROOT:-${XDG_CACHE_HOME:-$HOME/.cache}/dwindle/$arch-sysroot}}
# Absolute: the path ends up in the toolchain file's --sysroot and in qemu's -L.
sysroot=$(realpath -m "$sysroot")
suite=bookworm
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
stamp_text="suite=$suite include=$include${leave_out[*]:+ leave_out=${leave_out[*]}}"
stamp=$sysroot/.dwindle-sysroot-complete

if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$stamp_text" ]; then
    echo "$arch sysroot: reusing $sysroot"
elif [ ! -f "$stamp" ] && [ -d "$sysroot" ] && [ -n "$(ls -A "$sysroot")" ]; then
    # Another toolchain's own sysroot: never replace it, only add GoogleTest below.
    echo "$arch sysroot: $sysroot was not made here, using it as it is"
else
    echo "$arch sysroot: downloading $suite into $sysroot"
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
    "${sudo[@]}" debootstrap --variant=minbase --foreign --arch="$arch" --include="$include" \
        "$suite" "$work" "$mirror"
    [ ${#sudo[@]} -eq 0 ] || sudo chown -R "$(id -u):$(id -g)" "$work"

    for name in "${leave_out[@]}"; do
        rm -f "$work/var/cache/apt/archives/${name}_"*.deb
    done
    # Unpack every downloaded package, not just the base set debootstrap unpacked, noting
    # which package each file came from: there is no dpkg database to ask, and the port
    # ships each library with its package's copyright file.
    debs=("$work"/var/cache/apt/archives/*.deb)
    echo "$arch sysroot: unpacking ${#debs[@]} packages"
    for deb in "${debs[@]}"; do
        dpkg -x "$deb" "$work"
        dpkg-deb -c "$deb" | awk -v package="$(dpkg-deb -f "$deb" Package)" \
            '{ print package, substr($6, 2) }' >>"$work/.dwindle-packages"
    done
    rm -f "$work"/var/cache/apt/archives/*.deb

    # Packages ship absolute links (libm.so -> /lib/...); outside a chroot they would point
    # at the host's own libraries, so make every one relative to the sysroot.
    find "$work" -type l -lname '/*' -print0 | while IFS= read -r -d '' link; do
        target=$(readlink "$link")
        ln -sfn "$(realpath -m -s --relative-to="$(dirname "$link")" "$work$target")" "$link"
    done

    # Fail here, not in the middle of a build, if a library the linker needs is missing.
    for lib in libc.so libm.so libSDL.so libSDL_image.so libSDL_gfx.so libSDL_mixer.so; do
        if [ ! -e "$work/usr/lib/$triplet/$lib" ]; then
            echo "$arch sysroot: $lib is missing or a broken link" >&2
            exit 1
        fi
    done

    rm -rf "$sysroot"
    mv "$work" "$sysroot"
    echo "$stamp_text" >"$stamp"
fi

# GoogleTest for the target: Debian ships only its source, so build it with the same toolchain
# file the game uses and install it into the sysroot, where find_package(GTest) looks.
gtest_src=/usr/src/googletest
# The compiler is part of the stamp: GoogleTest must be rebuilt for another toolchain.
gtest_version="$(dpkg-query -W -f='${Version}' googletest) ${DWINDLE_ARM_PREFIX:-$triplet-} ${DWINDLE_ARM_FLAGS:-}"
gtest_stamp=$sysroot/.dwindle-gtest-complete
if [ -f "$gtest_stamp" ] && [ "$(cat "$gtest_stamp")" = "$gtest_version" ]; then
    echo "$arch GoogleTest: reusing $gtest_version"
else
    echo "$arch GoogleTest: building $gtest_version"
    # A scratch folder: another toolchain's sysroot may sit where we should not write.
    gtest_build=$(mktemp -d)
    trap 'rm -rf "$gtest_build"' EXIT
    cmake -S "$gtest_src" -B "$gtest_build" \
        -DCMAKE_TOOLCHAIN_FILE="$here/cmake/arm-linux.cmake" \
        -DDWINDLE_ARM_ARCH="$arch" \
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
