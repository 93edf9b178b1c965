#!/usr/bin/env bash
# Plants each fault of tests/faults/faults.txt alone in a copy of the working tree, rebuilds,
# runs the tests and prints which fail: every fault must be caught by at least one.
# Usage: tests/faults/plant.sh [NAME...]   (default: every fault; DWINDLE_FAULTS_DIR: the copy,
#        default /tmp/dwindle-faults; DWINDLE_FAULTS_ALL=1 also runs the X server test)
#        tests/faults/plant.sh --check       (only checks, in seconds and without building,
#        that every fault still applies to the code: its text once in its file)
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
faults() {
    # The faults as records separated by NUL: name, file, and the file with the fault planted
    # (none when $2 is empty). Every fault whose old text is not once in its file is named, and
    # stops the run before anything is built.
    python3 - "$top/tests/faults/faults.txt" "$@" <<'PY'
import os, sys
list_file, tree, planted_dir, names, blocks = *sys.argv[1:4], set(sys.argv[4:]), []
for line in open(list_file).read().splitlines():
    if line.startswith('## '):
        blocks.append([line[3:].split(':')[0]])
    elif blocks and line.strip() and not line.startswith('#'):
        blocks[-1].append(line[2:] if line[:2] in ('- ', '+ ') else line)
stale = []
for index, block in enumerate(blocks):
    if len(block) != 4:
        sys.exit(f'fault {block[0]}: expected a file, a "- " line and a "+ " line')
    name, file, old, new = block
    if names and name not in names:
        continue
    text = open(f'{tree}/{file}').read() if os.path.isfile(f'{tree}/{file}') else ''
    if text.count(old) != 1:
        stale.append(f'fault {name}: STALE, the text is not once in {file}')
    elif planted_dir:
        open(f'{planted_dir}/{index}', 'w').write(text.replace(old, new))
        sys.stdout.write('\0'.join([name, file, f'{planted_dir}/{index}']) + '\0')
sys.exit('\n'.join(stale) or None)
PY
}
if [ "${1:-}" = --check ]; then
    faults "$top" ""
    echo "every fault of tests/faults/faults.txt applies"
    exit 0
fi
work=${DWINDLE_FAULTS_DIR:-/tmp/dwindle-faults}
skip='^install$'
[ "${DWINDLE_FAULTS_ALL:-0}" = 1 ] && skip='^$'

echo "== copying the working tree to $work/tree"
rm -rf "$work/tree" "$work/planted"
mkdir -p "$work/tree" "$work/planted"
(cd "$top" && git ls-files -z --cached --others --exclude-standard |
    xargs -0 cp -P --parents -t "$work/tree")

faults "$work/tree" "$work/planted" "$@" >"$work/faults"

build=$work/build
cmake -S "$work/tree" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
nice cmake --build "$build" -j "$(nproc)" >/dev/null

run_tests() {
    # Not from the list of faults the loop reads: a fault may make the game read its input.
    ctest --test-dir "$build" -j "$(nproc)" -E "$skip" --timeout 120 </dev/null >/dev/null 2>&1 &&
        return 0
    sed 's/^[0-9]*://' "$build/Testing/Temporary/LastTestsFailed.log" | paste -sd ' ' -
    return 1
}
failing=$(run_tests) || {
    echo "the suite fails with no fault planted: $failing" >&2
    exit 1
}

caught=0 total=0 missed=()
while IFS= read -r -d '' name && IFS= read -r -d '' file && IFS= read -r -d '' planted; do
    total=$((total + 1))
    cp "$work/tree/$file" "$work/original"
    cp "$planted" "$work/tree/$file"
    if ! nice cmake --build "$build" -j "$(nproc)" >/dev/null 2>&1; then
        printf '%-32s DOES NOT BUILD\n' "$name"
        missed+=("$name")
    elif failing=$(run_tests); then
        printf '%-32s NOT CAUGHT\n' "$name"
        missed+=("$name")
    else
        printf '%-32s caught by %s\n' "$name" "$failing"
        caught=$((caught + 1))
    fi
    cp "$work/original" "$work/tree/$file"
done <"$work/faults"
echo "caught $caught of $total faults"
[ ${#missed[@]} -eq 0 ] || { echo "not caught: ${missed[*]}"; exit 1; }
