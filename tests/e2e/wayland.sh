#!/usr/bin/env bash
# The real program on a desktop with Wayland: where an X display is there
# too it runs on X11, so that its windows open at their stored places; on
# Wayland alone it starts there under its application id.
. "$(dirname "$0")/lib.sh"
vornel=$1

e2e_start_display
e2e_start_weston
export XDG_SESSION_TYPE=wayland
unset QT_QPA_PLATFORM

# Both displays: the menu opens on X11 at its stored place.
"$vornel" >"$E2E_TMP/both.log" 2>&1 &
pid=$!
E2E_PIDS+=("$pid")
menu=$(e2e_wait_window Vornel)
e2e_expect_rect "$menu" "175 147 357 169" "menu beside Wayland"
[ -z "$(e2e_wayland_toplevels)" ] || fail "a window opened on Wayland: $(e2e_wayland_toplevels)"
wmctrl -i -c "$menu"
e2e_wait_exit "$pid"
[ "$E2E_STATUS" -eq 0 ] || fail "the program ended with status $E2E_STATUS"

# Wayland alone: the compositor shows the menu.
env -u DISPLAY "$vornel" >"$E2E_TMP/wayland.log" 2>&1 &
pid=$!
E2E_PIDS+=("$pid")
menu_on_wayland() {
    e2e_wayland_toplevels | grep -qFx "Vornel	io.github.vornel.Vornel" && return 0
    kill -0 "$pid" 2>/dev/null || fail "the program ended on Wayland: $(cat "$E2E_TMP/wayland.log")"
    return 1
}
e2e_eventually menu_on_wayland ||
    fail "no menu on Wayland; the compositor has: $(e2e_wayland_toplevels)"
kill "$pid"
echo "e2e Wayland: 1 passed, 0 failed"
