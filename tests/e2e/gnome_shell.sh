#!/usr/bin/env bash
# GNOME Shell as Debian ships it, headless, with Vornel installed into a
# folder of the test's own: the shell loads the provider from the installed
# .ini, a query typed into the overview shows Vornel's results with their
# names and descriptions, and Enter opens the chart at the row in the
# Vornel that is running, once, leaving the shell's clipboard as it was.
#
# The shell runs on a private session bus whose service folder is the
# install's, and a private, empty system bus where it asks logind and the
# others in vain; its settings are in a key file of the test's own, which
# enables a test-only extension that puts the shell in unsafe mode, so that
# org.gnome.Shell.Eval drives the overview. Vornel's windows are on an Xvfb
# with openbox. Screenshots go to $E2E_SHOTS where it is set.
#   gnome_shell.sh CMAKE BUILD_DIR
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/session.sh"
here=$(cd "$(dirname "$0")" && pwd)
command -v gnome-shell >/dev/null ||
    fail "gnome-shell is not installed; scripts/setup.sh installs it with the test packages"

# The application change: a result opens in the one Vornel, the
# application on the session bus, whose search provider needs no display
# and leaves the clipboard alone. The order change: every door gives the
# search window's results in its order.
E2E_AWAITING[application]=0
E2E_AWAITING[order]=0

e2e_install_staged "$1" "$2"
provider_id=$(sed -n 's/^DesktopId=//p' "$E2E_GNOME_INI")
vornel=$E2E_PREFIX/bin/vornel

# Vornel's display.
e2e_start_display
vornel_display=$DISPLAY

# A user's folders of the test's own. The shell reads the .ini and the
# desktop entry from XDG_DATA_DIRS, and ignores a provider whose desktop
# entry's Exec is not on PATH ("missing DesktopId").
export HOME=$E2E_TMP/home XDG_RUNTIME_DIR=$E2E_TMP/runtime XDG_CONFIG_HOME=$E2E_TMP/config
export XDG_DATA_HOME=$E2E_TMP/data XDG_CACHE_HOME=$E2E_TMP/cache
export XDG_DATA_DIRS=$E2E_SHARE:${XDG_DATA_DIRS:-/usr/local/share:/usr/share}
export PATH=$E2E_PREFIX/bin:$PATH
mkdir -p "$HOME" "$XDG_CONFIG_HOME/glib-2.0/settings" "$XDG_CACHE_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
extension=unsafe-mode@tests.vornel.github.io
mkdir -p "$XDG_DATA_HOME/gnome-shell/extensions"
cp -r "$here/gnome_shell_extension" "$XDG_DATA_HOME/gnome-shell/extensions/$extension"
export GSETTINGS_BACKEND=keyfile
cat >"$XDG_CONFIG_HOME/glib-2.0/settings/keyfile" <<EOF
[org/gnome/shell]
enabled-extensions=['$extension']
EOF

# The system bus: empty, and only the shell's.
cat >"$E2E_TMP/system.conf" <<EOF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path=$E2E_TMP/system_bus</listen>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
EOF
dbus-daemon --config-file="$E2E_TMP/system.conf" --nofork >"$E2E_TMP/system_bus.log" 2>&1 &
E2E_PIDS+=($!)
export DBUS_SYSTEM_BUS_ADDRESS=unix:path=$E2E_TMP/system_bus

# The session bus starts with no display in the environment of what it
# starts, as a user's bus that is up before the desktop's display; the
# desktop adds its display later.
e2e_start_session_bus DISPLAY= WAYLAND_DISPLAY= QT_QPA_PLATFORM=

env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
    gnome-shell --headless --no-x11 --virtual-monitor 1024x768 >"$E2E_TMP/shell.log" 2>&1 &
E2E_PIDS+=($!)
shell_pid=$!

shell_fail() {
    echo "--- what GNOME Shell printed:" >&2
    grep -v '^$' "$E2E_TMP/shell.log" | tail -n 60 >&2
    fail "$@"
}
# shell_eval CODE: the code's value in the shell (a string as it is).
shell_eval() {
    /usr/bin/python3 "$here/shell_eval.py" "$1" 2>"$E2E_TMP/eval.err" ||
        shell_fail "$(cut -c1-200 <<<"$1"): $(cat "$E2E_TMP/eval.err")"
}
shell_answers() {
    kill -0 "$shell_pid" 2>/dev/null || shell_fail "GNOME Shell ended"
    /usr/bin/python3 "$here/shell_eval.py" 1 >/dev/null 2>&1
}
e2e_eventually shell_answers || true
shell_eval 1 >/dev/null
shell_eval "$(sed "s/PROVIDER_ID/$provider_id/" "$here/gnome_shell_driver.js")" >/dev/null
grep -qxF "$provider_id" <<<"$(shell_eval 'vornelTest.remoteProviders()')" ||
    shell_fail "the shell did not load Vornel's provider"
E2E_PASSED=$((E2E_PASSED + 1))

# search QUERY: types it into the overview and prints the results shown.
search() {
    local shown=false
    for _ in $(seq 100); do
        if [ "$shown" = false ]; then
            [ "$(shell_eval "vornelTest.search('$1')")" = true ] || { sleep 0.1; continue; }
        fi
        shown=$(shell_eval "vornelTest.shownResults('$1')")
        [ "$shown" = null ] || [ "$shown" = false ] || break
        sleep 0.1
    done
    [ "$shown" != null ] && [ "$shown" != false ] || shell_fail "the search for '$1' did not end"
    printf '%s\n' "$shown"
}
# Screenshots of the shell's screen and of Vornel's.
shell_shot() {
    [ -z "${E2E_SHOTS:-}" ] || gdbus call --session --dest org.gnome.Shell \
        --object-path /org/gnome/Shell/Screenshot --method org.gnome.Shell.Screenshot.Screenshot \
        false false "$E2E_SHOTS/gnome-shell-$1.png" >/dev/null
}
shot() { [ -z "${E2E_SHOTS:-}" ] || import -window root "$E2E_SHOTS/$1.png"; }

# The first query starts the provider, on a bus with no display yet.
results=$(search M8x1.25)
e2e_awaited_check application "a provider started with no display answered nothing: \
$(grep -m1 ChildSignaled "$E2E_TMP/shell.log" || true)" grep -q $'\t8 × 1.25（メートルねじ）\t' <<<"$results"

# The desktop's display is up: the bus gives it to what it starts from now.
gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
    --method org.freedesktop.DBus.UpdateActivationEnvironment \
    "{'DISPLAY': '$vornel_display', 'QT_QPA_PLATFORM': 'xcb'}" >/dev/null
search '' >/dev/null

# Vornel runs, with the metric chart open from its menu.
"$vornel" >>"$E2E_TMP/vornel.log" 2>&1 &
E2E_PIDS+=($!)
menu=$(e2e_wait_window Vornel)
running=$(xdotool getwindowpid "$menu")
# It took its name on the bus before it showed the menu.
e2e_bus_owner_is io.github.vornel.Vornel "$running" || fail "the running Vornel does not own its name"
e2e_click "$menu" 144 12
e2e_wait_window メートルねじ >/dev/null

# The results as the shell shows them: id, name, description.
results=$(search M8x1.25)
shell_shot M8x1.25
expected_names=$'8 × 1.25（メートルねじ）\n8 × 1.25（インサートメートルねじ）
M 8 × 1.25（溝なしタップメ－トルねじ）'
[ "$(cut -f2 <<<"$results")" = "$expected_names" ] ||
    shell_fail "M8x1.25 showed: $results"
[ "$(head -n1 <<<"$results" | cut -f3)" = "ドリル径 6.8、めねじ内径 6.647～6.912、めねじ有効径 7.188～7.348、めねじ外径 最小 8.000、ISO 965-1 6H 計算値、タップ ISO 2、ひっかかり率 89 %" ] ||
    fail "M8x1.25's first result is described as: $(head -n1 <<<"$results" | cut -f3)"
[ "$(sed -n 2p <<<"$results" | cut -f3)" = "ドリル径 8.4、下穴径 8.31～8.52" ] ||
    fail "M8x1.25's second result is described as: $(sed -n 2p <<<"$results" | cut -f3)"
E2E_PASSED=$((E2E_PASSED + 2))

# Enter opens the first result: the metric chart at 8 × 1.25, selected
# (Ctrl+C copies it), in the running Vornel, whose chart was open: no
# second window of it, and no other process with a window.
shell_eval "vornelTest.setClipboard('before Enter')" >/dev/null
echo before | xclip -selection clipboard
for _ in $(seq 5); do
    [ "$(shell_eval "vornelTest.pressKey('Return')")" = true ] && break
    search M8x1.25 >/dev/null
done
row=$'8 × 1.25\t6.8\t6.647\t6.912'
opened=''
for _ in $(seq 30); do
    for window in $(xdotool search --onlyvisible --name '^メートルねじ$' 2>/dev/null || true); do
        xdotool windowactivate --sync "$window" 2>/dev/null || continue
        xdotool key --window "$window" ctrl+c
        sleep 0.1
        [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$row" ] && opened=$window && break 2
    done
    sleep 0.3
done
[ -n "$opened" ] || fail "Enter on M8x1.25 selected no row 8 × 1.25 in a metric chart"
E2E_PASSED=$((E2E_PASSED + 1))
shot gnome-shell-enter
chart_pids=$(e2e_window_pids メートルねじ | tr '\n' ' ')
e2e_awaited_check application \
    "the metric chart has windows of the processes $chart_pids; Vornel ran as $running" \
    [ "$chart_pids" = "$running " ]
others=$(for window in $(xdotool search --onlyvisible --name . 2>/dev/null); do
    xdotool getwindowpid "$window" 2>/dev/null || true
done | sort -u | grep -vx "$running" | tr '\n' ' ' || true)
e2e_awaited_check application "processes beside the running Vornel hold windows: $others" [ -z "$others" ]
shell_eval 'vornelTest.readClipboard()' >/dev/null
shell_clipboard_read() {
    clipboard=$(shell_eval 'vornelTest.clipboard')
    [ "$clipboard" != null ]
}
e2e_eventually shell_clipboard_read || true
e2e_awaited_check application "GNOME Shell's Enter put '$clipboard' on its clipboard" \
    [ "$clipboard" = 'before Enter' ]

# The overview sends the words of a query apart: a thread and a drill, whose
# ひっかかり率 is named with the drill it is of.
results=$(search 'M8x1.25 6.9')
[ "$(head -n1 <<<"$results" | cut -f2,3)" = "8 × 1.25（メートルねじ）"$'\t'"ドリル径 6.8、\
めねじ内径 6.647～6.912、めねじ有効径 7.188～7.348、めねじ外径 最小 8.000、ISO 965-1 6H 計算値、タップ ISO 2、\
ひっかかり率 81 %（ドリル径 6.9）、呼び・範囲内（最小 +0.253／最大 −0.012）" ] ||
    shell_fail "'M8x1.25 6.9' showed: $results"
E2E_PASSED=$((E2E_PASSED + 1))
shell_shot M8x1.25-6.9

# The search window's first result for 1/4-20 is the unified thread.
results=$(search 1/4-20)
e2e_awaited_check order "1/4-20 showed first: $(head -n1 <<<"$results" | cut -f2)" \
    [ "$(head -n1 <<<"$results" | cut -f2)" = '1/4 ‐20UNC（ユニファイねじ）' ]

# Vornel's icon beside its results opens the search window with the words
# typed, in the running Vornel; Down and Ctrl+C copy its first result.
search M8x1.25 >/dev/null
for _ in $(seq 5); do
    [ "$(shell_eval 'vornelTest.clickProviderIcon()')" = true ] && break
    search M8x1.25 >/dev/null
done
window=$(e2e_wait_window ねじ・下穴の検索)
sleep 0.3
xdotool windowactivate --sync "$window"
xdotool key --window "$window" Down ctrl+c
sleep 0.2
[[ $(xclip -o -selection clipboard) == メートルねじ$'\t8 × 1.25\t6.8\t'* ]] ||
    fail "the search window from Vornel's icon copied '$(xclip -o -selection clipboard)'"
E2E_PASSED=$((E2E_PASSED + 1))
e2e_awaited_check application "the search window is of the process $(xdotool getwindowpid "$window"); \
Vornel ran as $running" [ "$(xdotool getwindowpid "$window")" = "$running" ]

e2e_summary "GNOME Shell"
