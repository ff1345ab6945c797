#!/usr/bin/env bash
# The real program under Xvfb and openbox reaches the search window each way:
# Ctrl+F in the menu and in a chart, "検索…" in their context menus, a
# letter typed on a menu button, and "ひっかかり率を調べる…" on a chart's row. Enter on a result opens its chart; Escape
# closes the search window. Screenshots go to $E2E_SHOTS where it is set.
. "$(dirname "$0")/lib.sh"
vornel=$1
title=ねじ・下穴の検索

e2e_start_display
"$vornel" >"$E2E_TMP/vornel.log" 2>&1 &
pid=$!
E2E_PIDS+=("$pid")

# The program's windows on screen, a context menu's too.
shown_windows() {
    xdotool search --onlyvisible --pid "$pid" --class . 2>/dev/null | wc -l
}
more_windows_than() {
    [ "$(shown_windows)" -gt "$1" ]
}
# Right-clicks at a point of a window's client area and waits for the
# context menu, whose first entry is made active 0.12 s after it shows.
right_click() {
    local x y w h before
    before=$(shown_windows)
    read -r x y w h < <(e2e_client_rect "$1")
    xdotool mousemove $((x + $2)) $((y + $3)) sleep 0.05 click 3
    e2e_wait_for "no context menu opened" more_windows_than "$before"
    sleep 0.3
}
active_window_is() {
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]
}

# A screenshot, once what was asked has been drawn.
shot() { [ -z "${E2E_SHOTS:-}" ] || { sleep 0.3; import -window root "$E2E_SHOTS/$1.png"; }; }

# Checks that the search window is open after $1, then closes it with Escape.
reached() {
    local search
    search=$(e2e_wait_window "$title")
    shot "$2"
    xdotool windowactivate --sync "$search"
    xdotool key Escape
    e2e_wait_gone "$title" "Escape did not close the search window ($1)"
}

menu=$(e2e_wait_window Vornel)
xdotool windowactivate --sync "$menu"
xdotool key ctrl+f
reached "Ctrl+F in the menu" menu-ctrl-f

xdotool windowactivate --sync "$menu"
right_click "$menu" 144 12
# The menu opens at its first entry, "検索…".
xdotool key Return
reached "the menu's context menu" menu-context

# Command1 has the focus; Space still presses it and opens the metric chart.
xdotool windowactivate --sync "$menu"
xdotool key space
chart=$(e2e_wait_window メートルねじ)
xdotool windowactivate --sync "$menu"
xdotool type --delay 50 m8x1
search=$(e2e_wait_window "$title")
shot typed-on-a-button

# The first result, the metric chart's 8 × 1, opens its chart.
xdotool windowactivate --sync "$search"
xdotool key Down Return
e2e_eventually active_window_is "$chart" || fail "Enter on a result did not open its chart"
shot result-opened
xdotool windowactivate --sync "$search"
xdotool key Escape
e2e_wait_gone "$title" "Escape did not close the search window"

xdotool windowactivate --sync "$chart"
xdotool key ctrl+f
reached "Ctrl+F in a chart" chart-ctrl-f

xdotool windowactivate --sync "$chart"
right_click "$chart" 100 200
# The chart's own entries (copy, values, print) come first, then "検索…";
# a data row's last is "ひっかかり率を調べる…".
xdotool key Up Up Return
reached "the chart's context menu" chart-context

xdotool windowactivate --sync "$chart"
right_click "$chart" 100 200
xdotool key Up Return
reached "ひっかかり率を調べる… in the chart's context menu" chart-engagement

kill -0 "$pid" 2>/dev/null || fail "the program ended"
echo "e2e search: 1 passed, 0 failed"
