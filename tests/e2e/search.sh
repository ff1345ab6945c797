#!/usr/bin/env bash
# The real program under Xvfb and openbox reaches the search window each way:
# Ctrl+F in the menu and in a chart, "検索…" in their context menus, and a
# letter typed on a menu button. Enter on a result opens its chart; Escape
# closes the search window. Screenshots go to $E2E_SHOTS where it is set.
. "$(dirname "$0")/lib.sh"
vornel=$1
title=ねじ・下穴の検索

e2e_start_display
"$vornel" >"$E2E_TMP/vornel.log" 2>&1 &
pid=$!
E2E_PIDS+=("$pid")

# Right-clicks at a point of a window's client area.
right_click() {
    local x y w h
    read -r x y w h < <(e2e_client_rect "$1")
    xdotool mousemove $((x + $2)) $((y + $3)) sleep 0.05 click 3
}

shot() { [ -z "${E2E_SHOTS:-}" ] || import -window root "$E2E_SHOTS/$1.png"; }

# Waits until no window titled $1 is shown.
wait_gone() {
    local i
    for i in $(seq 50); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    fail "$2"
}

# Checks that the search window is open after $1, then closes it with Escape.
reached() {
    local search
    search=$(e2e_wait_window "$title")
    sleep 0.3
    shot "$2"
    xdotool windowactivate --sync "$search"
    xdotool key Escape
    wait_gone "$title" "Escape did not close the search window ($1)"
}

menu=$(e2e_wait_window Vornel)
xdotool windowactivate --sync "$menu"
xdotool key ctrl+f
reached "Ctrl+F in the menu" menu-ctrl-f

xdotool windowactivate --sync "$menu"
right_click "$menu" 144 12
sleep 0.5
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
sleep 0.5
shot typed-on-a-button

# The first result, the metric chart's 8 × 1, opens its chart.
xdotool windowactivate --sync "$search"
xdotool key Down Return
sleep 0.5
[ "$(xdotool getactivewindow)" = "$chart" ] || fail "Enter on a result did not open its chart"
shot result-opened
xdotool windowactivate --sync "$search"
xdotool key Escape
wait_gone "$title" "Escape did not close the search window"

xdotool windowactivate --sync "$chart"
xdotool key ctrl+f
reached "Ctrl+F in a chart" chart-ctrl-f

xdotool windowactivate --sync "$chart"
right_click "$chart" 100 200
sleep 0.5
# The chart's own entries (copy, values, print) come first; "検索…" is last.
xdotool key Up Return
reached "the chart's context menu" chart-context

kill -0 "$pid" 2>/dev/null || fail "the program ended"
echo "e2e search: 1 passed, 0 failed"
