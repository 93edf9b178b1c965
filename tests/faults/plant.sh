#!/usr/bin/env bash
# Plants each fault of tests/faults/faults.txt alone in a copy of the working tree, rebuilds,
# runs the tests and prints which fail: every fault must be caught by at least one.
# Usage: tests/faults/plant.sh [NAME...]   (default: every fault; DWINDLE_FAULTS_DIR: the copy,
#        default /tmp/dwindle-faults; DWINDLE_FAULTS_ALL=1 also runs the X server tests)
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
work=${DWINDLE_FAULTS_DIR:-/tmp/dwindle-faults}
list=$top/tests/faults/faults.txt
skip='EndToEnd|^install$'
[ "${DWINDLE_FAULTS_ALL:-0}" = 1 ] && skip='^$'

mkdir -p "$work"
# The faults as records separated by NUL: name, file, old text, new text.
python3 - "$list" "$@" >"$work/faults" <<'PY'
import sys
names, blocks, block = set(sys.argv[2:]), [], None
for line in open(sys.argv[1]).read().splitlines():
    if line.startswith('## '):
        block = [line[3:].split(':')[0]]
        blocks.append(block)
    elif block is not None and line.strip() and not line.startswith('#'):
        block.append(line[2:] if line[:2] in ('- ', '+ ') else line)
for b in blocks:
    if len(b) != 4:
        sys.exit(f'fault {b[0]}: expected a file, a "- " line and a "+ " line')
    if not names or b[0] in names:
        sys.stdout.write('\0'.join(b) + '\0')
PY

echo "== copying the working tree to $work/tree"
rm -rf "$work/tree"
mkdir -p "$work/tree"
(cd "$top" && git ls-files -z --cached --others --exclude-standard |
    xargs -0 cp -P --parents -t "$work/tree")
build=$work/build
cmake -S "$work/tree" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
nice cmake --build "$build" -j "$(nproc)" >/dev/null

run_tests() {
    ctest --test-dir "$build" -j "$(nproc)" -E "$skip" --timeout 120 >/dev/null 2>&1 && return 0
    sed 's/^[0-9]*://' "$build/Testing/Temporary/LastTestsFailed.log" | paste -sd ' ' -
    return 1
}
if failing=$(run_tests); then :; else
    echo "the suite fails with no fault planted: $failing" >&2
    exit 1
fi

caught=0 total=0 missed=()
while IFS= read -r -d '' name && IFS= read -r -d '' file && IFS= read -r -d '' old &&
      IFS= read -r -d '' new; do
    total=$((total + 1))
    target=$work/tree/$file
    cp "$target" "$work/original"
    if ! python3 - "$target" "$old" "$new" <<'PY'
import sys
path, old, new = sys.argv[1:]
text = open(path).read()
if text.count(old) != 1:
    sys.exit(1)
open(path, 'w').write(text.replace(old, new))
PY
    then
        printf '%-32s STALE: the text is not once in %s\n' "$name" "$file"
        missed+=("$name")
        continue
    fi
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
    cp "$work/original" "$target"
done <"$work/faults"
nice cmake --build "$build" -j "$(nproc)" >/dev/null
echo "caught $caught of $total faults"
[ ${#missed[@]} -eq 0 ] || { echo "not caught: ${missed[*]}"; exit 1; }
