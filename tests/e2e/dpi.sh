#!/usr/bin/env bash
# The real program on an X display of $2 dots per inch: the menu and the
# metric chart keep their physical size and their stored places, scaled by
# the display's device pixel ratio, and the buttons are where they scale to.
#   dpi.sh VORNEL DPI
. "$(dirname "$0")/lib.sh"
vornel=$1
dpi=$2

e2e_start_display "$dpi"
actual_dpi=$(xdpyinfo | awk '/resolution:/ {r = $2} END {print r}')
[ "$actual_dpi" = "${dpi}x$dpi" ] || fail "the display has $actual_dpi dpi"
env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS \
    "$vornel" >"$E2E_TMP/vornel.log" 2>&1 &
pid=$!
E2E_PIDS+=("$pid")

# The stored client areas in device-independent pixels (twips / 15),
# scaled to this display.
menu=$(e2e_wait_window Vornel)
e2e_expect_rect_near "$menu" "$(e2e_scaled_rect "175 147 357 169" "$dpi")" "menu" 1

# In inches, as the display measures them: twips / 1440, to a pixel.
read -r _ _ w h < <(e2e_client_rect "$menu")
awk -v w="$w" -v h="$h" -v dpi="$dpi" 'BEGIN {
    exit !(w / dpi - 5355 / 1440 < 1.5 / dpi && 5355 / 1440 - w / dpi < 1.5 / dpi &&
           h / dpi - 2535 / 1440 < 1.5 / dpi && 2535 / 1440 - h / dpi < 1.5 / dpi) }' ||
    fail "the menu is ${w}x$h pixels: not 5355 x 2535 twips at $dpi dpi"

# Command1's middle, 144 and 12 device-independent pixels into the menu.
read -r x y < <(e2e_scaled_rect "144 12" "$dpi")
e2e_click "$menu" "$x" "$y"
chart=$(e2e_wait_window メートルねじ)
e2e_expect_rect_near "$chart" "$(e2e_scaled_rect "317 114 392 499" "$dpi")" "metric chart" 1

wmctrl -i -c "$chart"
wmctrl -i -c "$menu"
e2e_wait_exit "$pid"
[ "$E2E_STATUS" -eq 0 ] || fail "the program ended with status $E2E_STATUS"
echo "e2e at $dpi dpi: 1 passed, 0 failed"
