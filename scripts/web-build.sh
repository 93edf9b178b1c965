#!/usr/bin/env bash
# Builds the browser version of the game into build-web/site/: index.html and its scripts, the
# first picture, dwindle.js, dwindle.wasm, dwindle.data (the pictures) and the sounds, all a
# static web host needs. The pictures and sounds are made first by the picture and sound
# generators, built for this machine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh build web
jobs=$(nproc)

cmake -S cmake/host-tools -B build-web/host -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-web/host -j "$jobs" --target pictures sounds

# emscripten's JavaScript optimiser loads its parser from Debian's Node module folder.
export NODE_PATH=/usr/share/nodejs
# The sounds the list names, copied anew: one dropped from the list leaves the site with it.
rm -rf build-web/wasm/Sounds
emcmake cmake -S cmake/web -B build-web/wasm -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DDWINDLE_PICTURES="$PWD/build-web/host/Images" \
    -DDWINDLE_SOUNDS="$PWD/build-web/host/Sounds" >/dev/null
cmake --build build-web/wasm -j "$jobs"

rm -rf build-web/site
mkdir -p build-web/site/Images
# The page, its scripts beside their C++ halves (platform.js is inside dwindle.js already), the
# buttons and the list of sounds the build wrote for it and its first picture, then the game
# and its sounds.
cp src/platform/web/index.html build-web/wasm/Buttons.js build-web/wasm/Sounds.js build-web/site/
find src/platform/web -name '*.js' ! -name platform.js -exec cp {} build-web/site/ \;
cp build-web/host/Images/namescreen.png build-web/site/Images/
cp build-web/wasm/dwindle.js build-web/wasm/dwindle.wasm build-web/wasm/dwindle.data \
    build-web/site/
cp -r build-web/wasm/Sounds build-web/site/
echo "The site: $PWD/build-web/site ($(find build-web/site -type f -printf '%s\n' |
    awk '{ s += $1 } END { print s }') bytes)"
