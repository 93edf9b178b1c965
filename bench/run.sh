#!/usr/bin/env bash
# Builds the game and dwindle_bench, runs every performance measurement, prints the figures.
# Usage: bench/run.sh [BUILD_DIR]   (default build/; JOBS=N: parallel build jobs, 2 by default)
# The figures end with a markdown table of them.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$repo/build}
# The game with its sounds, mixed on SDL's dummy audio driver at the device's pace.
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
work=$(mktemp -d)
game_pid=
cleanup() {
    if [ -n "$game_pid" ]; then
        kill -KILL "$game_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

echo "== build ($build)"
[ -f "$build/CMakeCache.txt" ] || cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
nice cmake --build "$build" -j "${JOBS:-2}" --target dwindle_bench dwindle pictures sounds >/dev/null
build=$(cd "$build" && pwd)
bench=$build/bench/dwindle_bench
game=$build/run/dwindle

# A working folder for the real game: its pictures and sounds linked, its score file kept out
# of the tree.
game_folder() {
    local folder
    folder=$(mktemp -d "$work/game.XXXX")
    ln -s "$build/run/Images" "$folder/Images"
    ln -s "$build/run/Sounds" "$folder/Sounds"
    echo "$folder"
}

when=$(date)
cpu=$(lscpu | sed -n 's/^Model name: *//p' | head -1)
cores=$(nproc)
memory=$(free -h | awk '/^Mem:/ { print $2 }')
echo "== machine: $cpu, $cores cores, $memory memory; $when"

echo
echo "== timings (median of 5 repetitions; pass and floor taking turns)"
"$bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_color=false | tee "$work/timings"
timing_rows=$(awk '/^Time per pass in microseconds/ { on = 1; next } on && NF == 6 && $1 != "band"' "$work/timings")

echo
echo "== instructions per pass (callgrind)"
measure_status=0
"$repo/bench/measure.sh" "$build" 100 | tee "$work/instructions" || measure_status=$?
[ "$measure_status" -le 1 ] || exit "$measure_status"

echo
echo "== menu idle: CPU of the real game while its menu waits 5 s (after the 8 s of splashes)"
folder=$(game_folder)
(cd "$folder" && exec "$game") &
game_pid=$!
sleep 10
# utime + stime in clock ticks, and the scheduler's nanoseconds summed over the threads.
ticks() { awk '{ print $14 + $15 }' "/proc/$game_pid/stat"; }
nanoseconds() { cat /proc/"$game_pid"/task/*/schedstat | awk '{ s += $1 } END { print s }'; }
ticks_before=$(ticks)
ns_before=$(nanoseconds)
sleep 5
ticks_after=$(ticks)
ns_after=$(nanoseconds)
kill -KILL "$game_pid"
wait "$game_pid" 2>/dev/null || true
game_pid=
hz=$(getconf CLK_TCK)
idle_ticks=$(awk -v a="$ticks_before" -v b="$ticks_after" -v hz="$hz" \
    'BEGIN { printf "%.2f", (b - a) / hz / 5 * 100 }')
idle_percent=$(awk -v a="$ns_before" -v b="$ns_after" 'BEGIN { printf "%.3f", (b - a) / 5e9 * 100 }')
echo "menu idle: $idle_percent % of a core (scheduler time), $idle_ticks % (utime+stime ticks)"

echo
echo "== the mixer's thread during 30 s of play at the game's pace, the tune and effects on"
"$bench" sound 600 | tee "$work/sound"
mixer_percent=$(awk '/^mixer thread/ { print $3 }' "$work/sound")

echo
echo "== start-up to the first splash"
"$bench" startup 20 | tee "$work/startup"
startup_steps=$(awk '{ print $6 }' "$work/startup")
# The real binary, loading included: from its execve to the first splash's 4 s sleep.
for _ in 1 2 3 4 5; do
    folder=$(game_folder)
    (cd "$folder" && exec strace -f --seccomp-bpf -ttt -e trace=execve,nanosleep,clock_nanosleep \
        -o "$folder/trace" "$game") &
    tracer=$!
    for _ in $(seq 100); do
        grep -q nanosleep "$folder/trace" 2>/dev/null && break
        sleep 0.1
    done
    kill -KILL "$(awk 'NR == 1 { print $1 }' "$folder/trace")"
    wait "$tracer" 2>/dev/null || true
    # The game's own thread's first sleep: SDL's mixing thread sleeps from the device's opening.
    awk 'NR == 1 { game = $1 } /execve\(/ && !s { s = $2 } $1 == game && /nanosleep\(/ && !e { e = $2 }
         END { printf "%.2f\n", (e - s) * 1000 }' "$folder/trace" >>"$work/exec-ms"
done
startup_exec=$(sort -n "$work/exec-ms" | sed -n 3p)
echo "real binary, execve to first splash (median of 5 under strace): $startup_exec ms"

echo
echo "== system calls during 1,000 play passes (strace, between the dw-play and dw-done markers)"
between() { awk '/PR_SET_NAME, "dw-play"/ { on = 1; next } /PR_SET_NAME, "dw-done"/ { on = 0 } on' "$1"; }
strace -f -o "$work/files" -e trace=%file,%desc,prctl "$bench" play 1000
file_calls=$(between "$work/files" | wc -l)
strace -f -o "$work/all" "$bench" play 1000 >/dev/null
all_calls=$(between "$work/all" | wc -l)
grep -q 'dw-done' "$work/all" || { echo "markers missing from the trace" >&2; exit 2; }
echo "file and descriptor calls: $file_calls; system calls of any kind: $all_calls"
between "$work/all" | awk '{ sub(/\(.*/, "", $2); print $2 }' | sort | uniq -c

echo
echo "== peak memory of 10,000 play passes"
/usr/bin/time -v "$bench" play 10000 2>"$work/time"
peak_kib=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/time")
echo "max RSS: $peak_kib KiB"

row() { printf '| %s | %s |\n' "$1" "$2"; }
echo
echo "## Performance"
echo
echo "Measured on $when: $cpu, $cores cores, $memory memory; SDL's dummy video driver."
echo "Command: \`bench/run.sh\`"
echo
echo "| band | frame | play pass (instructions) | direct-call floor (instructions) | blit floor (instructions) | pass / blit floor | play pass (µs) | direct-call floor (µs) | blit floor (µs) | pass / blit floor (time) |"
echo "| --- | --- | ---: | ---: | ---: | ---: | ---: | ---: | ---: | ---: |"
while read -r band frame play floor blits _ ratio; do
    timed=$(awk -v b="$band" -v f="$frame" '$1 == b && $2 == f' <<<"$timing_rows")
    read -r _ _ pass_us floor_us blits_us time_ratio <<<"$timed"
    printf '| %s | %s | %s | %s | %s | %s | %s | %s | %s | %s |\n' "$band" "$frame" "$play" \
        "$floor" "$blits" "$ratio" "$pass_us" "$floor_us" "$blits_us" "$time_ratio"
done < <(awk '$1 ~ /^[0-9]x[0-9]$/ && NF == 7' "$work/instructions")
echo
echo "| measure | figure |"
echo "| --- | ---: |"
row "menu idle, CPU share of one core over 5 s" "$idle_percent %"
row "mixer thread during play, share of one core over 30 s" "$mixer_percent %"
row "start-up to first splash: SDL, video mode, pictures, sounds (in process, median)" "$startup_steps ms"
row "start-up to first splash: real binary from execve (median of 5)" "$startup_exec ms"
row "file and descriptor system calls in 1,000 play passes" "$file_calls"
row "system calls of any kind in 1,000 play passes" "$all_calls"
row "peak memory (max RSS), 10,000 play passes" "$peak_kib KiB"
exit "$measure_status"
