# Shared by the end-to-end tests: a private X display with a window manager,
# and small helpers to find, read and close the program's windows.
set -euo pipefail

E2E_TMP=$(mktemp -d)
E2E_PIDS=()

# Ends the test's processes: each is asked to end, and one still running
# after 10 s is killed, so that the test never waits on one that does not
# heed the request (unshare, for one, ignores it while its child runs).
e2e_cleanup() {
    local pid deadline=$((SECONDS + 10))
    for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    while [ "$SECONDS" -lt "$deadline" ] && e2e_any_running; do sleep 0.1; done
    for pid in "${E2E_PIDS[@]}"; do kill -KILL "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$E2E_TMP"
}
e2e_any_running() {
    local pid
    for pid in "${E2E_PIDS[@]}"; do
        # A child that has ended but not been waited for is a zombie: not running.
        [ "$(ps -o stat= -p "$pid" 2>/dev/null | cut -c1)" = Z ] || ! kill -0 "$pid" 2>/dev/null || return 0
    done
    return 1
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

# How long the test waits for one thing it needs (a window shown, a name on
# the bus, a process ended), in seconds: long enough for a loaded machine.
# Each wait ends as soon as the thing is there; only a test that fails
# waits this long.
E2E_WAIT_SECONDS=${E2E_WAIT_SECONDS:-60}

# e2e_eventually COMMAND...: runs COMMAND until it succeeds, for up to
# E2E_WAIT_SECONDS; returns whether it did.
e2e_eventually() {
    local deadline=$((SECONDS + E2E_WAIT_SECONDS))
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.05
    done
}

# e2e_wait_for DESCRIPTION COMMAND...: as e2e_eventually; fails with
# DESCRIPTION where COMMAND has not succeeded.
e2e_wait_for() {
    local description=$1
    shift
    e2e_eventually "$@" || fail "$description (waited ${E2E_WAIT_SECONDS} s)"
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
    e2e_wait_for "Xvfb did not start" test -s "$E2E_TMP/display"
    export DISPLAY=":$(head -n1 "$E2E_TMP/display")"
    export QT_QPA_PLATFORM=xcb
    echo "Xft.dpi: $dpi" | xrdb -nocpp -merge || fail "xrdb could not set Xft.dpi"
    openbox --sm-disable >"$E2E_TMP/openbox.log" 2>&1 &
    E2E_PIDS+=($!)
    e2e_wait_for "openbox did not start" eval 'wmctrl -m >/dev/null 2>&1'
}

# Starts a headless Weston of its own, with its debugging interface, in a
# private runtime folder; exports XDG_RUNTIME_DIR and WAYLAND_DISPLAY.
e2e_start_weston() {
    export XDG_RUNTIME_DIR=$E2E_TMP/runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    weston --backend=headless-backend.so --socket=wayland-e2e --idle-time=0 --debug \
        >"$E2E_TMP/weston.log" 2>&1 &
    E2E_PIDS+=($!)
    e2e_wait_for "weston did not start" test -S "$XDG_RUNTIME_DIR/wayland-e2e"
    export WAYLAND_DISPLAY=wayland-e2e
}

# The compositor's top-level windows, one a line: "title<TAB>app id".
e2e_wayland_toplevels() {
    weston-debug scene-graph 2>/dev/null |
        sed -n "s/.*top-level window '\(.*\)' of \([^,]*\), .*/\1\t\2/p"
}

# The visible windows titled exactly $1, one id a line.
e2e_windows_titled() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true
}
e2e_window_shown() {
    [ -n "$(e2e_windows_titled "$1")" ]
}
e2e_no_window_titled() {
    [ -z "$(e2e_windows_titled "$1")" ]
}

# Waits for a visible window whose title is exactly $1; prints its id.
e2e_wait_window() {
    e2e_wait_for "no window titled '$1'" e2e_window_shown "$1"
    e2e_windows_titled "$1" | head -n1
}

# Waits until no window titled exactly $1 is shown; fails with $2.
e2e_wait_gone() {
    e2e_wait_for "$2" e2e_no_window_titled "$1"
}

# Closes every visible window titled exactly $1 by its id and waits until
# none is left. (A window closed by its title could make the next title's
# lookup ask about a window that has just gone, which ends wmctrl.)
e2e_close_titled() {
    local id
    for id in $(e2e_windows_titled "$1"); do
        wmctrl -i -c "$id" 2>/dev/null || true
    done
    e2e_wait_gone "$1" "the window titled '$1' did not close"
}

# e2e_root_sync FILE: waits until the root window's listener
# (root_messages), writing to FILE, has heard everything that happened on
# the display before this call.
e2e_root_sync() {
    local heard
    heard=$(e2e_syncs_heard "$1")
    xprop -root -f _VORNEL_E2E_SYNC 8s -set _VORNEL_E2E_SYNC "$heard" ||
        fail "could not set a property of the root window"
    e2e_wait_for "the root window's listener did not catch up" e2e_heard_more_syncs "$1" "$heard"
}
e2e_syncs_heard() {
    grep -c '^sync$' "$1" || true
}
e2e_heard_more_syncs() {
    [ "$(e2e_syncs_heard "$1")" -gt "$2" ]
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

# Whether process $1 has ended.
e2e_ended() {
    ! kill -0 "$1" 2>/dev/null
}

# Waits until process $1, a child of the test, has ended and sets E2E_STATUS
# to its exit status.
e2e_wait_exit() {
    e2e_wait_for "the program did not end" e2e_ended "$1"
    E2E_STATUS=0
    wait "$1" || E2E_STATUS=$?
}
