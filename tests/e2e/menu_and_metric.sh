#!/usr/bin/env bash
# The real program under Xvfb and openbox: the menu and the metric chart at
# their places, Enter and the keypad's Enter press the focused button,
# closing the menu leaves the charts running, closing the last chart ends the
# program with status 0.
. "$(dirname "$0")/lib.sh"
vornel=$1

e2e_start_display
"$vornel" >"$E2E_TMP/vornel.log" 2>&1 &
pid=$!
E2E_PIDS+=("$pid")

menu=$(e2e_wait_window Vornel)
e2e_expect_rect "$menu" "175 147 357 169" "menu"

e2e_click "$menu" 144 12 # Command1
chart=$(e2e_wait_window メートルねじ)
e2e_expect_rect "$chart" "317 114 392 499" "metric chart"

# Pressing the button again brings the same window to the front.
e2e_click "$menu" 144 12
sleep 0.3
[ "$(xdotool search --onlyvisible --name '^メートルねじ$' | wc -l)" -eq 1 ] ||
    fail "a second metric chart opened"

# By keyboard: the focus is on Command1, which was clicked; Tab moves it to
# Command2, Enter presses it; Tab again, the keypad's Enter presses Command3.
xdotool windowactivate --sync "$menu"
sleep 0.3
xdotool key --clearmodifiers Tab Return
unified=$(e2e_wait_window ユニファイねじ)
xdotool windowactivate --sync "$menu"
sleep 0.3
xdotool key --clearmodifiers Tab KP_Enter
whitworth=$(e2e_wait_window 'ウィットねじ（インチ呼び）')
wmctrl -i -c "$unified"
wmctrl -i -c "$whitworth"

wmctrl -i -c "$menu"
e2e_wait_gone Vornel "the menu is still shown"
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "closing the menu ended the program"

wmctrl -i -c "$chart"
e2e_wait_exit "$pid"
[ "$E2E_STATUS" -eq 0 ] || fail "the program ended with status $E2E_STATUS"
echo "e2e menu and metric chart: 1 passed, 0 failed"
