#!/usr/bin/env bash
# Instructions per play pass and per pass of its two drawing floors in every band, counted by
# callgrind: the direct-call floor draws the platforms and the text with SDL_gfx, the blit floor
# blits them from the platform cache and the glyph sheet as the pass does.
# Usage: bench/measure.sh [BUILD_DIR] [PASSES]   (defaults: build/, 100 passes per count)
# Set SHOW_TOP=1 to also print the costliest functions of the 8x6 play pass.
# Exits 1 when a target is missed: over 295,000 instructions per 8x6 pass (0.28 of the
# 1,053,288 before the platform cache and glyph sheet; the blit floor alone is about 281,000),
# or a pass over 1.05 times its blit floor.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$repo/build}" && pwd)
passes=${2:-100}
bench=$build/bench/dwindle_bench
# The play pass with its sounds, on a mixer nobody hears.
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# count KIND LEVEL FRAME: instructions per pass, only inside measuredPass.
count() {
    local out=$work/$1-$2-$3.out
    valgrind --tool=callgrind --callgrind-out-file="$out" --collect-atstart=no \
        --toggle-collect='measuredPass*' "$bench" instructions "$1" "$2" "$3" "$passes" \
        >"$work/log" 2>&1 || { cat "$work/log" >&2; exit 2; }
    awk -v n="$passes" '/^totals:/ { printf "%d", $2 / n }' "$out"
}

missed=0
printf '%-5s %-6s %12s %12s %12s %12s %7s\n' band frame play/pass floor/pass blits/pass copy/pass ratio
for level in 1 6 11; do
    case $level in 1) band=5x4 ;; 6) band=6x5 ;; 11) band=8x6 ;; esac
    copy=$(count copy "$level" plain)
    for frame in tick plain; do
        play=$(count play "$level" "$frame")
        floor=$(count floor "$level" "$frame")
        blits=$(count blits "$level" "$frame")
        ratio=$(awk -v p="$play" -v b="$blits" 'BEGIN { printf "%.3f", p / b }')
        printf '%-5s %-6s %12d %12d %12d %12d %7s\n' "$band" "$frame" "$play" "$floor" "$blits" \
            "$copy" "$ratio"
        if awk -v r="$ratio" 'BEGIN { exit !(r > 1.05) }'; then
            echo "  MISSED: the $band $frame pass is over 1.05 times its blit floor"
            missed=1
        fi
        if [ "$band" = 8x6 ] && [ "$play" -gt 295000 ]; then
            echo "  MISSED: the 8x6 $frame pass takes over 295,000 instructions"
            missed=1
        fi
    done
done
echo "(play/pass excludes the board copy that restores the full board between passes;"
echo " ratio is play/pass over blits/pass)"

if [ "${SHOW_TOP:-0}" = 1 ]; then
    echo
    echo "Costliest functions of the 8x6 tick play pass (instructions over $passes passes):"
    callgrind_annotate --inclusive=no "$work/play-11-tick.out" 2>/dev/null |
        awk '/file:function/ { on = 1; next } on && NF' | head -15
fi
exit "$missed"
