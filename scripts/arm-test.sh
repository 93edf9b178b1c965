#!/usr/bin/env bash
# Cross-builds Dwindle for ARM Linux (armel into build-arm/, or arm64 into build-arm64/), runs every test under qemu and, for armel, stages the SD-card folder.
# Usage: scripts/arm-test.sh [armel|arm64]   (DWINDLE_ARM_SYSROOT, DWINDLE_ARM_PREFIX, DWINDLE_ARM_JOBS to override)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

arch=${1:-armel}
case "$arch" in
    armel) build=build-arm tools=arm ;;
    arm64) build=build-arm64 tools=arm64 ;;
    *) echo "arm-test: unknown architecture $arch (armel or arm64)" >&2; exit 2 ;;
esac
# Absolute, and exported so the toolchain file sees the same folder in every configure.
DWINDLE_ARM_SYSROOT=$(realpath -m "${DWINDLE_ARM_SYSROOT:-${XDG_CACHE_HOME:-$HOME/.cache}/dwindle/$arch-sysroot}")
export DWINDLE_ARM_SYSROOT
# Two by default: the machines are small and shared.
jobs=${DWINDLE_ARM_JOBS:-2}
host_tools=$build/host-tools

source scripts/phases.sh

echo "== packages"
# build: the host compiler and SDL headers for the picture generator; arm, arm64: the cross tools.
scripts/install-deps.sh build "$tools"
phase_done "packages"

echo "== $arch sysroot and GoogleTest ($DWINDLE_ARM_SYSROOT)"
DWINDLE_ARM_JOBS=$jobs scripts/make-arm-sysroot.sh --arch "$arch" "$DWINDLE_ARM_SYSROOT"
phase_done "sysroot + GoogleTest"

echo "== picture and sound generators for this machine ($host_tools/)"
# The generators run during the build, so they must be programs of the build machine.
cmake -S cmake/host-tools -B "$host_tools" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
nice -n 10 cmake --build "$host_tools" -j "$jobs" --target picturemaker soundmaker
phase_done "host generators"

echo "== $arch build ($build/)"
# Benchmarks are left out: they measure the build machine's emulator, not the handheld.
cmake -S . -B "$build" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/arm-linux.cmake" \
    -DDWINDLE_ARM_ARCH="$arch" \
    -DDWINDLE_ARM_SYSROOT="$DWINDLE_ARM_SYSROOT" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DDWINDLE_BENCH=OFF \
    -DDWINDLE_HOST_PICTUREMAKER="$root/$host_tools/tools/picturemaker" \
    -DDWINDLE_HOST_SOUNDMAKER="$root/$host_tools/tools/soundmaker" >/dev/null
nice -n 10 cmake --build "$build" -j "$jobs"
phase_done "$arch build"

echo "== tests under qemu"
# ctest starts each test through the toolchain's emulator (qemu-arm -L sysroot); the tests
# set SDL_VIDEODRIVER=dummy themselves.
test_status=0
nice -n 10 ctest --test-dir "$build" --output-on-failure -j "$jobs" || test_status=$?
phase_done "tests under qemu"

# The arm64 build's folder for today's handhelds is scripts/port-build.sh's.
if [ "$arch" = armel ]; then
    echo "== SD-card folder"
    scripts/stage-handheld.sh "$build"
    phase_done "staging"
fi

print_phases
exit "$test_status"
