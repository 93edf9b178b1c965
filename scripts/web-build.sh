#!/usr/bin/env bash
# Builds the browser version of the game into build-web/site/: index.html and its scripts,
# dwindle.js, dwindle.wasm and dwindle.data (the pictures and sounds), all a static web host
# needs. The pictures and sounds are made first by the picture and sound generators, built for
# this machine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh build web
jobs=$(nproc)

cmake -S cmake/host-tools -B build-web/host -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-web/host -j "$jobs" --target pictures sounds

# emscripten's JavaScript optimiser loads its parser from Debian's Node module folder.
export NODE_PATH=/usr/share/nodejs
emcmake cmake -S cmake/web -B build-web/wasm -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DDWINDLE_PICTURES="$PWD/build-web/host/Images" \
    -DDWINDLE_SOUNDS="$PWD/build-web/host/Sounds" >/dev/null
cmake --build build-web/wasm -j "$jobs"

mkdir -p build-web/site
# The page, its scripts beside their C++ halves (platform.js is inside dwindle.js already) and
# the buttons the build wrote for it, then the game.
cp src/platform/web/index.html build-web/wasm/Buttons.js build-web/site/
find src/platform/web -name '*.js' ! -name platform.js -exec cp {} build-web/site/ \;
cp build-web/wasm/dwindle.js build-web/wasm/dwindle.wasm build-web/wasm/dwindle.data \
    build-web/site/
echo "The site: $PWD/build-web/site ($(du -cb build-web/site/* | tail -1 | cut -f1) bytes)"
