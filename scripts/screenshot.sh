#!/usr/bin/env bash
# Takes the README's pictures from the real program: built afresh, run under
# a private Xvfb with openbox, the menu, the metric chart and the search
# window open.
#
#   scripts/screenshot.sh [FOLDER]    writes into FOLDER (desktop/screenshots)
#     vornel.png            the menu, the chart and the search for a fit
#     search-examples.png   the search window as it opens: the examples
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-desktop/screenshots}")
mkdir -p "$out"
. scripts/setup.sh
vornel_install "${VORNEL_PACKAGES[@]}" xvfb xauth openbox xdotool x11-utils wmctrl imagemagick
cmake --preset dev >/dev/null
cmake --build --preset dev -j"$(nproc)" --target vornel >/dev/null
vornel=$PWD/build/vornel

. tests/e2e/lib.sh
# A screen wide enough for the three windows side by side, at 96 dpi.
Xvfb -displayfd 3 -screen 0 1920x1080x24 -dpi 96 -nolisten tcp \
    3>"$E2E_TMP/display" >"$E2E_TMP/xvfb.log" 2>&1 &
E2E_PIDS+=($!)
e2e_wait_for "Xvfb did not start" test -s "$E2E_TMP/display"
export DISPLAY=":$(head -n1 "$E2E_TMP/display")" QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS
openbox --sm-disable >"$E2E_TMP/openbox.log" 2>&1 &
E2E_PIDS+=($!)
e2e_wait_for "openbox did not start" eval 'wmctrl -m >/dev/null 2>&1'
# The desktop's ground, a quiet grey rather than Xvfb's black.
xsetroot -solid '#5a6470' 2>/dev/null || true

"$vornel" >"$E2E_TMP/vornel.log" 2>&1 &
E2E_PIDS+=($!)
menu=$(e2e_wait_window Vornel)
e2e_click "$menu" 144 12 # メートルねじ
chart=$(e2e_wait_window メートルねじ)

xdotool windowactivate --sync "$menu"
xdotool key --clearmodifiers ctrl+f
search=$(e2e_wait_window ねじ・下穴の検索)
xdotool windowmove --sync "$search" 660 60
sleep 0.5
import -window "$search" "$out/search-examples.png"

xdotool windowactivate --sync "$search"
xdotool type --delay 20 'M8x1.25-6H/6g'
sleep 0.5
# The screen down to the search window's lower edge.
read -r _ y _ h < <(e2e_client_rect "$search")
import -window root -crop "1920x$((y + h + 40))+0+0" +repage "$out/vornel.png"
echo "wrote $out/vornel.png and $out/search-examples.png"
