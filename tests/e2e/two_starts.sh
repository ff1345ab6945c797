#!/usr/bin/env bash
# One Vornel however it starts, under Xvfb and openbox on a private session
# bus: ten rounds of two starts at the same instant, as a double click on a
# launcher gives (the last two with --search), each of which maps one menu,
# once, however briefly (a listener on the root window hears every
# top-level window mapped); the start that shows it owns the bus name, and
# the other hands over and ends. Then a start whose owner fails the
# hand-over and ends as it is asked again takes the name, and the next
# start hands over to it; a start whose owner takes no hand-over at all
# passes it over and takes the name once it is free; a start that finds
# the bus at $XDG_RUNTIME_DIR/bus alone hands over too; and a Vornel that
# the bus starts for a call the owner has had ends at once, asking nothing.
#   two_starts.sh VORNEL ROOT_MESSAGES
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/session.sh"
vornel=$1
root_messages=$2
app=io.github.vornel.Vornel
search=ねじ・下穴の検索

e2e_start_display
export XDG_RUNTIME_DIR=$E2E_TMP/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
E2E_SHARE=$E2E_TMP/share
mkdir -p "$E2E_SHARE/dbus-1/services"
e2e_start_session_bus
"$root_messages" >"$E2E_TMP/root" 2>&1 &
E2E_PIDS+=($!)
e2e_wait_for "the root window's listener did not start" grep -qx ready "$E2E_TMP/root"

# start ARGUMENTS...: starts Vornel in the background, with env's
# arguments in `start_env`; sets `started`.
start_env=()
start() {
    env "${start_env[@]}" "$vornel" "$@" >>"$E2E_TMP/vornel.log" 2>&1 &
    started=$!
    E2E_PIDS+=("$started")
}
# The processes that mapped a window titled $2 since line $1 of the
# listener's output, one a line.
mapped_since() {
    e2e_root_sync "$E2E_TMP/root"
    tail -n +"$(($1 + 1))" "$E2E_TMP/root" |
        awk -v title="$2" '$1 == "mapped" && substr($0, index($0, $4)) == title { print $3 }'
}
# one_window_of LINE PID TITLE WHAT: since line LINE, one window titled
# TITLE was mapped, once, by process PID.
one_window_of() {
    local mapped
    mapped=$(mapped_since "$1" "$3")
    [ "$mapped" = "$2" ] ||
        fail "$4: windows titled $3 mapped by processes '$(echo $mapped)', expected one, by $2"
}
# ends_with_all_windows PID TITLE...: closes the windows, and process PID,
# which owned the name, ends.
ends_with_all_windows() {
    local pid=$1 title
    e2e_bus_owner_is "$app" "$pid" || fail "the menu's process $pid does not own $app"
    shift
    for title in "$@"; do e2e_close_titled "$title"; done
    e2e_wait_exit "$pid"
    [ "$E2E_STATUS" = 0 ] || fail "the Vornel ended with $E2E_STATUS"
    E2E_PASSED=$((E2E_PASSED + 1))
}
# A process's status, once it has ended, is 0.
ended_well() {
    e2e_wait_exit "$1"
    [ "$E2E_STATUS" = 0 ] || fail "$2: ended with $E2E_STATUS"
}

for round in $(seq 10); do
    arguments=()
    [ "$round" -le 8 ] || arguments=(--search M8)
    before=$(wc -l <"$E2E_TMP/root")
    start "${arguments[@]}"
    first=$started
    start "${arguments[@]}"
    second=$started
    e2e_wait_window Vornel >/dev/null
    # The start that hands over ends; after that no window can come.
    e2e_wait_for "round $round: neither start ended" eval 'e2e_ended $first || e2e_ended $second'
    if e2e_ended "$first"; then ended=$first shown=$second; else ended=$second shown=$first; fi
    ended_well "$ended" "round $round: the start that handed over"
    one_window_of "$before" "$shown" Vornel "round $round"
    if [ ${#arguments[@]} = 0 ]; then
        ends_with_all_windows "$shown" Vornel
    else
        one_window_of "$before" "$shown" "$search" "round $round"
        ends_with_all_windows "$shown" "$search" Vornel
    fi
done

# A start with --search alone shows the search window beside its menu.
before=$(wc -l <"$E2E_TMP/root")
start --search M8
e2e_wait_window "$search" >/dev/null
one_window_of "$before" "$started" "$search" "--search alone"
ends_with_all_windows "$started" "$search" Vornel

# Without DBUS_SESSION_BUS_ADDRESS a start finds the session bus where a
# user's session manager puts it, $XDG_RUNTIME_DIR/bus, and hands its
# search over to the owner.
ln "$(echo "$DBUS_SESSION_BUS_ADDRESS" | sed -n 's/^unix:path=\([^,]*\).*/\1/p')" \
    "$XDG_RUNTIME_DIR/bus"
start
shown=$started
e2e_wait_window Vornel >/dev/null
before=$(wc -l <"$E2E_TMP/root")
start_env=(-u DBUS_SESSION_BUS_ADDRESS)
start --search M8
start_env=()
e2e_wait_window "$search" >/dev/null
one_window_of "$before" "$shown" "$search" "a start on the bus at \$XDG_RUNTIME_DIR/bus"
ended_well "$started" "a start on the bus at \$XDG_RUNTIME_DIR/bus"
ends_with_all_windows "$shown" "$search" Vornel
rm "$XDG_RUNTIME_DIR/bus"

# owner MODE: an owner of the name that answers the application's calls as
# MODE says: "fails" the first with an error and ends, without a word, when
# it is asked again, as a Vornel closing at that moment does; "hangs"
# answers none. Sets `owner` once it has the name.
owner() {
    /usr/bin/python3 - "$1" >"$E2E_TMP/owner-$1" 2>&1 <<'EOF_PY' &
import os, sys
from gi.repository import Gio, GLib
node = Gio.DBusNodeInfo.new_for_xml("""<node><interface name="org.freedesktop.Application">
  <method name="Activate"><arg type="a{sv}" direction="in"/></method>
  <method name="ActivateAction"><arg type="s" direction="in"/><arg type="av" direction="in"/>
    <arg type="a{sv}" direction="in"/></method>
  <method name="Open"><arg type="as" direction="in"/><arg type="a{sv}" direction="in"/></method>
</interface></node>""")
calls = []
def called(connection, sender, path, interface, method, parameters, invocation):
    calls.append(invocation)
    print("called", flush=True)
    if sys.argv[1] == "hangs":
        return
    if len(calls) > 1:
        os._exit(0)
    invocation.return_dbus_error("org.freedesktop.DBus.Error.Failed", "closing")
bus = Gio.bus_get_sync(Gio.BusType.SESSION)
bus.register_object("/io/github/vornel/Vornel", node.interfaces[0], called, None, None)
def owned(*_):
    print("owned", flush=True)
Gio.bus_own_name_on_connection(bus, "io.github.vornel.Vornel", Gio.BusNameOwnerFlags.NONE,
                               owned, None)
GLib.MainLoop().run()
EOF_PY
    owner=$!
    E2E_PIDS+=("$owner")
    e2e_wait_for "the owner that $1 did not take the name" grep -qx owned "$E2E_TMP/owner-$1"
}

owner fails
before=$(wc -l <"$E2E_TMP/root")
began=$SECONDS
start
e2e_wait_window Vornel >/dev/null
# It tries again at once, not after seconds (here it takes well under one).
[ $((SECONDS - began)) -le 10 ] || fail "the start took $((SECONDS - began)) s to show its menu"
e2e_ended "$owner" || fail "the owner that fails was asked once only"
e2e_wait_for "the start did not take the name of the owner that ended" e2e_bus_owner_is "$app" "$started"
shown=$started
start
ended_well "$started" "the start after an owner that ended"
one_window_of "$before" "$shown" Vornel "after an owner that ended"
ends_with_all_windows "$shown" Vornel

# An owner that takes no hand-over is passed over after 10 s (two or three
# calls of 5 s each) and asked no more, so that a late answer could not end
# the start, which shows its menu; it takes the name once that owner has
# gone.
owner hangs
before=$(wc -l <"$E2E_TMP/root")
start
e2e_wait_window Vornel >/dev/null
asked=$(grep -c called "$E2E_TMP/owner-hangs" || true)
sleep 6
[ "$(grep -c called "$E2E_TMP/owner-hangs" || true)" = "$asked" ] ||
    fail "the owner that hung was asked again"
kill "$owner"
e2e_wait_for "the start did not take the name of the owner that hung" e2e_bus_owner_is "$app" "$started"
one_window_of "$before" "$started" Vornel "after an owner that hung"
ends_with_all_windows "$started" Vornel

# A Vornel that the bus starts for a call that the owner had instead ends
# and asks the owner for nothing: the menu that the owner's user closed
# stays closed. It ends at once, not when it has been idle for long.
start
shown=$started
e2e_click "$(e2e_wait_window Vornel)" 144 12
e2e_wait_window メートルねじ >/dev/null
e2e_close_titled Vornel
before=$(wc -l <"$E2E_TMP/root")
start_env=(VORNEL_IDLE_MS=600000)
start --gapplication-service
start_env=()
ended_well "$started" "a Vornel started by the bus beside the owner"
[ -z "$(mapped_since "$before" Vornel)" ] || fail "a Vornel started by the bus brought the menu back"
ends_with_all_windows "$shown" メートルねじ
e2e_summary "two starts"
