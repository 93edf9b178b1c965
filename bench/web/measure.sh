#!/usr/bin/env bash
# Builds the browser version and its pass bench, then measures both in headless Chromium:
# the first picture against a floor page that only draws the splash's PNG, and a minute of play
# passes on the 8x6 board.
set -euo pipefail
cd "$(dirname "$0")/../.."

scripts/web-build.sh >/dev/null
NODE_PATH=/usr/share/nodejs cmake --build build-web/wasm --target dwindle_web_passes >/dev/null
scripts/install-deps.sh webtest
[ -d tests/web/node_modules ] || (cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
node bench/web/measure.mjs
