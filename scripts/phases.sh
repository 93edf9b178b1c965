# The time each phase of a long script takes, printed at its end: sourced by scripts/arm-test.sh
# and scripts/port-build.sh. `phase_done NAME` ends a phase; `print_phases` prints them all.
started=$SECONDS
phase_start=$SECONDS
times=()
phase_done() {
    times+=("$(printf '%-28s %4ds' "$1" $((SECONDS - phase_start)))")
    phase_start=$SECONDS
}
print_phases() {
    echo "== times"
    printf '%s\n' "${times[@]}"
    printf '%-28s %4ds\n' "total" $((SECONDS - started))
}
