#!/usr/bin/env bash
# Takes the README's screenshots into docs/: splash, menu, level 1 and name entry from the
# end-to-end run of the real game, and a board of the second and third bands from the game's
# own passes.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

scripts/install-deps.sh build test
cmake -S . -B "$build" >/dev/null
cmake --build "$build" -j "$(nproc)" --target dwindle dwindle_e2e dwindle_bench pictures
mkdir -p docs
docs="$PWD/docs"
(cd "$build/tests" && DWINDLE_SHOTS_DIR="$docs" SDL_VIDEODRIVER=dummy \
    ./dwindle_e2e --gtest_filter=EndToEndTest.PlayNameAndLeave)
for level in 6 11; do
    SDL_VIDEODRIVER=dummy "$build/bench/dwindle_bench" shot "$level" "/tmp/dwindle-level$level.bmp"
    convert "/tmp/dwindle-level$level.bmp" "docs/play-level$level.png"
done
ls -l docs
