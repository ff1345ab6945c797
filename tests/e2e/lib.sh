# Shared by the end-to-end tests: a private X display with a window manager,
# and small helpers to find, read and close the program's windows.
set -euo pipefail

E2E_TMP=$(mktemp -d)
E2E_PIDS=()

e2e_cleanup() {
    local pid
    for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

# A run in a locale that is not generated would quietly run in C instead.
case ${LANG:-} in
C | C.* | POSIX | "") ;;
*)
    locale -a 2>/dev/null | grep -qixF "$(sed 's/UTF-8$/utf8/I' <<<"$LANG")" || {
        echo "FAIL: the locale $LANG is not generated (scripts/setup.sh generates it)" >&2
        exit 1
    }
    ;;
esac

fail() {
    echo "FAIL: $*" >&2
    if [ -s "$E2E_TMP/vornel.log" ]; then
        echo "--- what the program printed:" >&2
        tail -n 200 "$E2E_TMP/vornel.log" >&2
    fi
    exit 1
}

# Starts Xvfb on a free display and openbox on it; exports DISPLAY. At a
# density of $1 dots per inch (96 unless given) the screen is 13.3 by 10.7
# inches, 1280 x 1024 pixels at 96 dpi, and the desktop's DPI setting,
# Xft.dpi, says the same, as a desktop environment does.
e2e_start_display() {
    local dpi=${1:-96}
    local width=$((1280 * dpi / 96)) height=$((1024 * dpi / 96))
    # -noreset: the resources set below outlive the client that sets them.
    Xvfb -displayfd 3 -screen 0 "${width}x${height}x24" -dpi "$dpi" -nolisten tcp -noreset \
        3>"$E2E_TMP/display" >"$E2E_TMP/xvfb.log" 2>&1 &
    E2E_PIDS+=($!)
    local i
    for i in $(seq 100); do [ -s "$E2E_TMP/display" ] && break; sleep 0.1; done
    [ -s "$E2E_TMP/display" ] || fail "Xvfb did not start"
    export DISPLAY=":$(head -n1 "$E2E_TMP/display")"
    export QT_QPA_PLATFORM=xcb
    echo "Xft.dpi: $dpi" | xrdb -nocpp -merge || fail "xrdb could not set Xft.dpi"
    openbox --sm-disable >"$E2E_TMP/openbox.log" 2>&1 &
    E2E_PIDS+=($!)
    for i in $(seq 100); do wmctrl -m >/dev/null 2>&1 && return 0; sleep 0.1; done
    fail "openbox did not start"
}

# Starts a headless Weston of its own, with its debugging interface, in a
# private runtime folder; exports XDG_RUNTIME_DIR and WAYLAND_DISPLAY.
e2e_start_weston() {
    export XDG_RUNTIME_DIR=$E2E_TMP/runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    weston --backend=headless-backend.so --socket=wayland-e2e --idle-time=0 --debug \
        >"$E2E_TMP/weston.log" 2>&1 &
    E2E_PIDS+=($!)
    local i
    for i in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/wayland-e2e" ] && break; sleep 0.1; done
    [ -S "$XDG_RUNTIME_DIR/wayland-e2e" ] || fail "weston did not start"
    export WAYLAND_DISPLAY=wayland-e2e
}

# The compositor's top-level windows, one a line: "title<TAB>app id".
e2e_wayland_toplevels() {
    weston-debug scene-graph 2>/dev/null |
        sed -n "s/.*top-level window '\(.*\)' of \([^,]*\), .*/\1\t\2/p"
}

# Waits for a visible window whose title is exactly $1; prints its id.
e2e_wait_window() {
    local id i
    for i in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    fail "no window titled '$1'"
}

# Closes every visible window titled exactly $1 by its id and waits until
# none is left. (A window closed by its title could make the next title's
# lookup ask about a window that has just gone, which ends wmctrl.)
e2e_close_titled() {
    local id i
    for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true); do
        wmctrl -i -c "$id" 2>/dev/null || true
    done
    for i in $(seq 100); do
        [ -z "$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true)" ] && return 0
        sleep 0.1
    done
    fail "the window titled '$1' did not close"
}

# The client area of a window as "x y width height", in screen pixels.
e2e_client_rect() {
    xwininfo -id "$1" | awk '
        /Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF}
        END {print x, y, w, h}'
}

# Device-independent pixels "x y width height" in screen pixels at $2 dpi:
# each one scaled by dpi/96 and rounded half away from zero, as Qt does.
e2e_scaled_rect() {
    awk -v s="$2" '{ for (i = 1; i <= NF; ++i) printf "%s%d", (i > 1 ? " " : ""), int($i * s / 96 + 0.5); print "" }' <<<"$1"
}

e2e_expect_rect() {
    local actual
    actual=$(e2e_client_rect "$1")
    [ "$actual" = "$2" ] || fail "$3: client area is '$actual', expected '$2'"
}

# As e2e_expect_rect, to within $4 pixels each way: at a fractional scale a
# half pixel may round either way.
e2e_expect_rect_near() {
    local actual
    actual=$(e2e_client_rect "$1")
    awk -v a="$actual" -v e="$2" -v t="$4" 'BEGIN {
        n = split(a, x, " "); split(e, y, " ")
        for (i = 1; i <= n; ++i) if (x[i] - y[i] > t || y[i] - x[i] > t) exit 1 }' ||
        fail "$3: client area is '$actual', expected '$2' to within $4"
}

# Clicks at a point of a window's client area.
e2e_click() {
    local x y w h
    read -r x y w h < <(e2e_client_rect "$1")
    xdotool mousemove $((x + $2)) $((y + $3)) sleep 0.05 click 1
}

# Waits until process $1 has ended and sets E2E_STATUS to its exit status.
e2e_wait_exit() {
    local i
    for i in $(seq 100); do
        if ! kill -0 "$1" 2>/dev/null; then
            E2E_STATUS=0
            wait "$1" || E2E_STATUS=$?
            return 0
        fi
        sleep 0.1
    done
    fail "the program did not end"
}
