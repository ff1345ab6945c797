#!/usr/bin/env bash
# The README tells a newcomer what to run and what to type: its two commands
# are the scripts CI runs from a fresh clone (.ci/run runs ./test.sh), the
# files it links to are there, and every example query finds something.
set -euo pipefail
vornel=$1
cd "$(dirname "$0")/.."
failed=0
fail() {
    echo "FAIL: $*" >&2
    failed=1
}

for command in ./run.sh ./test.sh; do
    grep -q "^    $command " README.md || fail "the README does not give $command"
    [ -x "$command" ] || fail "$command is not an executable script"
done
grep -qx 'exec ./test.sh' .ci/run || fail "CI does not run ./test.sh"

# Links and pictures, outside the web.
while read -r target; do
    [ -e "$target" ] || fail "the README links to $target, which is not there"
done < <(grep -o '](\([^)#]*\))' README.md | sed 's/^](//; s/)$//' | grep -v '://')

# The queries of the examples' table: its first column, one or more queries
# in backticks.
mapfile -t queries < <(awk -F'|' '/^\| `/ { print $2 }' README.md | grep -o '`[^`]*`' | tr -d '`')
[ "${#queries[@]}" -ge 5 ] || fail "the README gives ${#queries[@]} example queries"
for query in "${queries[@]}"; do
    QT_QPA_PLATFORM=offscreen "$vornel" --find "$query" >/dev/null ||
        fail "the README's example '$query' finds nothing"
done
exit "$failed"
