#!/usr/bin/env bash
# Lays out the folder to copy to the handheld's SD card: build-arm/stage/dwindle/ with the ARM game, its pictures and sounds and a launcher.
# Usage: scripts/stage-handheld.sh [BUILD_DIR]   (default build-arm; run scripts/arm-test.sh first)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build-arm}
binary=$build/run/dwindle
images=$build/run/Images
sounds=$build/run/Sounds
stage=$build/stage/dwindle

# ELF machine number 40 (0x28) is ARM: refuse to stage a build for the wrong machine.
if [ ! -f "$binary" ] || [ "$(od -An -tx1 -j18 -N1 "$binary" | tr -d ' ')" != 28 ]; then
    echo "stage: $binary is missing or not an ARM program: run scripts/arm-test.sh first" >&2
    exit 1
fi
for folder in "$images" "$sounds"; do
    if [ ! -d "$folder" ] || [ -z "$(ls -A "$folder")" ]; then
        echo "stage: nothing in $folder" >&2
        exit 1
    fi
done

# Start from an empty folder so pictures and sounds the generators no longer make do not linger.
rm -rf "$stage"
mkdir -p "$stage"
cp -r "$images" "$stage/Images"
cp -r "$sounds" "$stage/Sounds"

# The SD card is small and the debug information is only useful on the build machine:
# strip with the cross toolchain's own strip, which the cross configure found.
strip=$(sed -n 's/^CMAKE_STRIP:FILEPATH=//p' "$build/CMakeCache.txt")
if [ -n "$strip" ] && [ -x "$strip" ]; then
    "$strip" -o "$stage/dwindle" "$binary"
else
    cp "$binary" "$stage/dwindle"
fi
chmod 755 "$stage/dwindle"

# The handheld's menu starts a .gpe file from some other folder; the game finds Images/ and
# Sounds/ and keeps data.dat relative to the folder it runs in. Plain sh: the handheld has no bash.
# exec: no shell stays in memory while the game runs; the game syncs the card and returns
# to the menu by itself.
cat >"$stage/dwindle.gpe" <<'EOF'
#!/bin/sh
# Starts Dwindle from its own folder on the SD card, as the handheld's menu runs this file.
case "$0" in
    */*) cd "${0%/*}" || exit 1 ;;
esac
exec ./dwindle "$@"
EOF
chmod 755 "$stage/dwindle.gpe"

echo "stage: $stage ready ($(du -sh "$stage" | cut -f1)):"
ls -l "$stage"
