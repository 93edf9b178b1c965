#!/usr/bin/env bash
# Builds the port for today's aarch64 handhelds: build-port/dwindle/ laid out for the ports collection, build-port/dwindle.zip, and its test on a stand-in device.
# Usage: scripts/port-build.sh   (DWINDLE_ARM_SYSROOT, DWINDLE_ARM_JOBS to override)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

# Debian 12's libraries in libs.aarch64 need this C library or a later one; Dwindle.sh checks
# the device against the same floor.
glibc_floor=2.36
triplet=aarch64-linux-gnu
DWINDLE_ARM_SYSROOT=$(realpath -m "${DWINDLE_ARM_SYSROOT:-${XDG_CACHE_HOME:-$HOME/.cache}/dwindle/arm64-sysroot}")
export DWINDLE_ARM_SYSROOT
sysroot=$DWINDLE_ARM_SYSROOT
jobs=${DWINDLE_ARM_JOBS:-2}
# Shared with scripts/arm-test.sh arm64, configured alike, so CI compiles the game once.
build=build-arm64
host_tools=$build/host-tools
# The desktop build, whose bench draws a level's screen for the screenshot.
host_build=build
out=build-port
port=$out/dwindle
game=$port/dwindle
readelf=${triplet}-readelf
strip=${triplet}-strip

source scripts/phases.sh

echo "== packages"
scripts/install-deps.sh build arm64 port
phase_done "packages"

echo "== arm64 sysroot and GoogleTest ($sysroot)"
DWINDLE_ARM_JOBS=$jobs scripts/make-arm-sysroot.sh --arch arm64 "$sysroot"
phase_done "sysroot + GoogleTest"

echo "== aarch64 game ($build/)"
cmake -S cmake/host-tools -B "$host_tools" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
nice -n 10 cmake --build "$host_tools" -j "$jobs" --target picturemaker soundmaker
cmake -S . -B "$build" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/arm-linux.cmake" \
    -DDWINDLE_ARM_ARCH=arm64 \
    -DDWINDLE_ARM_SYSROOT="$sysroot" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DDWINDLE_BENCH=OFF \
    -DDWINDLE_HOST_PICTUREMAKER="$root/$host_tools/tools/picturemaker" \
    -DDWINDLE_HOST_SOUNDMAKER="$root/$host_tools/tools/soundmaker" >/dev/null
# With the gamepad that the port test plugs into the stand-in device.
nice -n 10 cmake --build "$build" -j "$jobs" --target dwindle pictures sounds virtual_pad
phase_done "aarch64 game"

echo "== screenshot"
# Level 11 as the game draws it, doubled with hard pixels: what a 640x480 handheld shows.
cmake -S . -B "$host_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
nice -n 10 cmake --build "$host_build" -j "$jobs" --target dwindle_bench
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
SDL_VIDEODRIVER=dummy "$host_build/bench/dwindle_bench" shot 11 "$scratch/shot.bmp"
phase_done "screenshot"

echo "== port folder ($port/)"
rm -rf "$out"
mkdir -p "$game/libs.aarch64" "$game/licenses"
cp dist/port/port.json dist/port/README.md dist/port/gameinfo.xml "$port/"
install -m 755 dist/port/Dwindle.sh "$port/Dwindle.sh"
convert "$scratch/shot.bmp" -filter point -resize 200% "$port/screenshot.png"
"$strip" -o "$game/dwindle" "$build/run/dwindle"
# The folders the game reads beside itself: Images/, Sounds/.
for data in "$build"/run/*/; do
    cp -r "$data" "$game/"
done
cp dist/copyright "$game/licenses/dwindle.txt"

# The device brings the C library, the C++ runtime and SDL2 (which the compatibility library
# loads by itself); every other library the game needs, and the libraries those need, come
# along. Not the C++ runtime: ahead of the device's own on the library path, an older copy
# would fail the device's SDL2 and graphics drivers built against a newer one.
provided_by_device() {
    case "$1" in
        ld-linux-*.so.* | libc.so.* | libm.so.* | libmvec.so.* | libpthread.so.* | libdl.so.* | \
            librt.so.* | libresolv.so.* | libutil.so.* | libanl.so.* | libnss_*.so.* | \
            libthread_db.so.* | libBrokenLocale.so.* | libc_malloc_debug.so.*) return 0 ;;
        libstdc++.so.* | libgcc_s.so.*) return 0 ;;
        libSDL2-2.0.so.*) return 0 ;;
        *) return 1 ;;
    esac
}
needed() {
    "$readelf" -d "$1" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'
}
# The folders a library names for its own private libraries (PulseAudio's, for one); in
# libs.aarch64 the loader finds them on the library path, which it searches first.
run_paths() {
    "$readelf" -d "$1" | sed -n 's/.*(R\(UN\)\{0,1\}PATH).*\[\(.*\)\]/\2/p' | tr ':' '\n'
}
# Which package a file of the sysroot came from (recorded when the sysroot was made).
package_of() {
    awk -v path="$1" '$2 == path { print $1; exit }' "$sysroot/.dwindle-packages"
}
queue=("$game/dwindle")
packages=()
while [ ${#queue[@]} -gt 0 ]; do
    file=${queue[0]}
    queue=("${queue[@]:1}")
    mapfile -t private < <(run_paths "$file")
    for name in $(needed "$file"); do
        if provided_by_device "$name" || [ -e "$game/libs.aarch64/$name" ]; then
            continue
        fi
        found=
        for dir in "$sysroot/lib/$triplet" "$sysroot/usr/lib/$triplet" \
            "${private[@]/#/$sysroot}"; do
            if [ -e "$dir/$name" ]; then
                found=$(realpath "$dir/$name")
                break
            fi
        done
        if [ -z "$found" ]; then
            echo "port: $name, needed by $(basename "$file"), is not in the sysroot" >&2
            exit 1
        fi
        cp "$found" "$game/libs.aarch64/$name"
        queue+=("$game/libs.aarch64/$name")
        package=$(package_of "${found#"$sysroot"}")
        if [ -z "$package" ]; then
            echo "port: no package recorded for ${found#"$sysroot"}" >&2
            exit 1
        fi
        packages+=("$package")
    done
done
mapfile -t packages < <(printf '%s\n' "${packages[@]}" | sort -u)
for package in "${packages[@]}"; do
    cp -L "$sysroot/usr/share/doc/$package/copyright" "$game/licenses/$package.txt"
done

# The newest version of a runtime library's symbols ($1: GLIBC, GLIBCXX) that any file of the
# folder asks for: the device's must be at least as new.
newest() {
    local file
    for file in "$game/dwindle" "$game"/libs.aarch64/*; do
        "$readelf" -V -W "$file" | sed -n '/Version needs section/,$p' |
            { grep -o "Name: ${1}_[0-9.]*" || true; }
    done | sed "s/.*${1}_//" | sort -V | tail -n 1
}
newest=$(newest GLIBC)
echo "port: the folder needs glibc $newest (floor $glibc_floor)" \
    "and a C++ runtime with GLIBCXX_$(newest GLIBCXX)"
if [ "$(printf '%s\n%s\n' "$newest" "$glibc_floor" | sort -V | tail -n 1)" != "$glibc_floor" ]; then
    echo "port: glibc $newest is above the floor $glibc_floor" >&2
    exit 1
fi

# The zip holds the folder's contents: the collection installs Dwindle.sh and dwindle/ into
# its ports folder and the other files into dwindle/.
(cd "$port" && zip -q -r -X ../dwindle.zip .)
phase_done "port folder"
echo "port: $port ($(du -sh "$port" | cut -f1)), libraries from ${packages[*]}"
ls -l "$game/libs.aarch64"
echo "port: $out/dwindle.zip ($(du -h "$out/dwindle.zip" | cut -f1))"

echo "== port test on a stand-in device"
tests/port/port-test.sh "$port" "$sysroot" "$build/tests/libvirtual_pad.so"
phase_done "port test"

print_phases
