#!/usr/bin/env bash
# The real program under Xvfb and openbox: in each chart, the first data row
# selected from the keyboard and copied with Ctrl+C reads back from the X
# clipboard, and from the primary selection, as its trimmed fields joined by
# TABs; an empty line copies nothing.
. "$(dirname "$0")/lib.sh"
vornel=$1
chart_lines=$2

e2e_start_display
"$chart_lines" >"$E2E_TMP/charts.json"
"$vornel" >"$E2E_TMP/vornel.log" 2>&1 &
pid=$!
E2E_PIDS+=("$pid")
menu=$(e2e_wait_window Vornel)

# position, title, the number of heading lines and the expected copy of the
# first data row, one chart a line.
python3 - "$E2E_TMP/charts.json" >"$E2E_TMP/expected" <<'PY'
import json, sys
for chart in json.load(open(sys.argv[1])):
    row = chart["lines"][chart["headingLines"]]
    fields = [f.strip(" \u3000") for f in row.split("\t")]
    while fields and not fields[-1]:
        fields.pop()
    copied = "\t".join(fields).replace("\\", "\\\\").replace("\t", "\\t")
    print(chart["position"], chart["title"], chart["headingLines"], copied, sep="\x1f")
PY

# The centre of each button of the menu, by the chart's position.
declare -A button=([1]="144 12" [10]="144 36" [8]="144 60" [5]="72 84" [6]="216 84"
    [7]="144 108" [2]="72 132" [9]="216 132" [4]="72 156" [3]="216 156")

passed=0
while IFS=$'\x1f' read -r position title headings expected; do
    expected=$(printf '%b' "$expected")
    # shellcheck disable=SC2086
    e2e_click "$menu" ${button[$position]}
    chart=$(e2e_wait_window "$title")
    xdotool windowactivate --sync "$chart"
    # Home selects the first line; Down goes on to the first data row.
    xdotool key --window "$chart" --clearmodifiers Home
    for _ in $(seq "$headings"); do xdotool key --window "$chart" Down; done
    xdotool key --window "$chart" ctrl+c
    sleep 0.2
    clipboard=$(xclip -o -selection clipboard) || fail "$title: nothing on the clipboard"
    primary=$(xclip -o -selection primary) || fail "$title: nothing on the selection"
    [ "$clipboard" = "$expected" ] || fail "$title: clipboard '$clipboard', expected '$expected'"
    [ "$primary" = "$expected" ] || fail "$title: selection '$primary', expected '$expected'"
    passed=$((passed + 1))
    wmctrl -i -c "$chart"
done <"$E2E_TMP/expected"

# The first line of the British taper pipe chart after its rows is empty:
# copying it leaves the clipboard as it was.
e2e_click "$menu" 72 84
chart=$(e2e_wait_window 英式管用テーパねじ)
xdotool windowactivate --sync "$chart"
xdotool key --window "$chart" Home
for _ in $(seq 21); do xdotool key --window "$chart" Down; done
before=$(xclip -o -selection clipboard)
xdotool key --window "$chart" ctrl+c
sleep 0.2
[ "$(xclip -o -selection clipboard)" = "$before" ] || fail "an empty line changed the clipboard"
passed=$((passed + 1))

wmctrl -i -c "$chart"
wmctrl -i -c "$menu"
e2e_wait_exit "$pid"
[ "$E2E_STATUS" -eq 0 ] || fail "the program ended with status $E2E_STATUS"
echo "e2e copy: $passed passed, 0 failed"
