#!/usr/bin/env bash
# The real program under a dark desktop theme (Qt's GTK platform theme with
# Adwaita:dark): the fluteless-tap chart, its footnote on the window's white
# and a selected line, each at least 4.5 : 1 against its ground in a
# screenshot of the window.
. "$(dirname "$0")/lib.sh"
vornel=$1
contrast=$(dirname "$0")/contrast.py

e2e_start_display
QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark "$vornel" >"$E2E_TMP/vornel.log" 2>&1 &
pid=$!
E2E_PIDS+=("$pid")

menu=$(e2e_wait_window Vornel)
e2e_click "$menu" 144 36 # Command10
chart=$(e2e_wait_window 溝なしタップメ－トルねじ)
e2e_click "$chart" 60 140 # a data row
sleep 0.5
import -window "$chart" -depth 8 "$E2E_TMP/chart.ppm" || fail "no screenshot of the chart"

read -r top height < <(/usr/bin/python3 "$contrast" "$E2E_TMP/chart.ppm" --band 2 140)
[ "$height" -ge 12 ] && [ "$height" -le 30 ] ||
    fail "no selected line at the click (a band $height pixels high)"
# The list's first line, the selected line (inside its band, clear of the
# focus frame) and the footnote's line, drawn at the label's top, at 496.
/usr/bin/python3 "$contrast" "$E2E_TMP/chart.ppm" \
    "first line" 2 2 480 14 \
    "selected line" 2 $((top + 2)) 480 $((height - 4)) \
    footnote 0 496 345 19 >"$E2E_TMP/ratios" || fail "could not read the screenshot"
cat "$E2E_TMP/ratios"

# The theme must be in force: the list's ground is dark, the footnote's white.
awk -F'\t' '$1 == "first line" && $2 > 0.1 { exit 1 }' "$E2E_TMP/ratios" ||
    fail "the list is not dark: the dark theme is not in force"
awk -F'\t' '$1 == "footnote" && $2 < 0.99 { exit 1 }' "$E2E_TMP/ratios" ||
    fail "the footnote is not on the window's white"
awk -F'\t' '$3 < 4.5 { print "FAIL: " $1 ": " $3 " : 1"; bad = 1 } END { exit bad }' \
    "$E2E_TMP/ratios" >&2 || fail "a text is drawn with too little contrast"

wmctrl -i -c "$chart"
wmctrl -i -c "$menu"
e2e_wait_exit "$pid"
[ "$E2E_STATUS" -eq 0 ] || fail "the program ended with status $E2E_STATUS"
echo "e2e dark theme: 1 passed, 0 failed"
