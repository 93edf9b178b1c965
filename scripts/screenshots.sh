#!/usr/bin/env bash
# Takes the README's screenshots into docs/: the splash, the instructions, the name entry, the
# menu and level 1 from the real game under an X server of its own, and a board of the second
# and third bands from the game's own passes.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

scripts/install-deps.sh build test
cmake -S . -B "$build" >/dev/null
cmake --build "$build" -j "$(nproc)" --target dwindle dwindle_bench pictures
mkdir -p docs
docs="$PWD/docs"
work=$(mktemp -d)
exec 3>"$work/display"
Xvfb -displayfd 3 -noreset -screen 0 640x480x24 &
xvfb=$!
trap 'kill $game $xvfb 2>/dev/null; rm -rf "$work"' EXIT
game=
sleep 1
export DISPLAY=":$(head -n 1 "$work/display")" SDL_VIDEODRIVER=x11
ln -s "$PWD/$build/run/Images" "$work/Images"
# A table whose tenth score is below a new game's 0, so that the first menu asks for a name.
printf '%s\n' 4200 ACE 3650 BEA 3100 CAL 2550 DEE 2000 ELI 1450 FLO 1200 GIL 900 HUW 500 IDA \
    -50 JO >"$work/data.dat"
(cd "$work" && exec "$OLDPWD/$build/run/dwindle") &
game=$!
window=$(timeout 10 xdotool search --sync --onlyvisible --name '^Dwindle$')
shot() { sleep "$1"; import -window "$window" "$docs/$2"; }
press() { xdotool key --delay 250 --window "$window" "$@"; }
shot 1 splash.png
shot 4 intro.png
shot 4.5 name-entry.png
press Up Right Up Up space
shot 1 menu.png
press space
shot 0.5 play-level1.png
press Escape
for level in 6 11; do
    SDL_VIDEODRIVER=dummy "$build/bench/dwindle_bench" shot "$level" "$work/level$level.bmp"
    convert "$work/level$level.bmp" "docs/play-level$level.png"
done
ls -l docs
