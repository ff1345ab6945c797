#!/usr/bin/env bash
# One Vornel however it starts, under Xvfb and openbox on a private session
# bus: ten rounds of two starts at the same instant, as a double click on a
# launcher gives, each of which maps one menu, once, however briefly (a
# listener on the root window hears every top-level window mapped); the
# start that shows it owns the bus name, and the other hands over and ends.
# Then a start whose owner fails the hand-over and ends as it is asked
# again: the start takes the name, and the next start hands over to it.
#   two_starts.sh VORNEL ROOT_MESSAGES
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/session.sh"
vornel=$1
root_messages=$2
app=io.github.vornel.Vornel

e2e_start_display
export XDG_RUNTIME_DIR=$E2E_TMP/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
E2E_SHARE=$E2E_TMP/share
mkdir -p "$E2E_SHARE/dbus-1/services"
e2e_start_session_bus
"$root_messages" >"$E2E_TMP/root" 2>&1 &
E2E_PIDS+=($!)
e2e_wait_for "the root window's listener did not start" grep -qx ready "$E2E_TMP/root"

# The menus mapped since line $1 of the listener's output: "pid" a line.
menus_since() {
    tail -n +"$(($1 + 1))" "$E2E_TMP/root" | awk '$1 == "mapped" && $4 == "Vornel" { print $3 }'
}
# Checks that since line $1 one menu was mapped, by process $2, which owns
# the name; then closes it and waits for that process to end.
one_menu_of() {
    local menus
    e2e_root_sync "$E2E_TMP/root"
    menus=$(menus_since "$1")
    [ "$menus" = "$2" ] || fail "$3: menus mapped by processes '$(echo $menus)', expected one of $2"
    e2e_bus_owner_is "$app" "$2" || fail "$3: the menu's process $2 does not own $app"
    e2e_close_titled Vornel
    e2e_wait_exit "$2"
    [ "$E2E_STATUS" = 0 ] || fail "$3: the Vornel ended with $E2E_STATUS"
    E2E_PASSED=$((E2E_PASSED + 1))
}

for round in $(seq 10); do
    before=$(wc -l <"$E2E_TMP/root")
    "$vornel" >>"$E2E_TMP/vornel.log" 2>&1 &
    first=$!
    "$vornel" >>"$E2E_TMP/vornel.log" 2>&1 &
    second=$!
    E2E_PIDS+=("$first" "$second")
    e2e_wait_window Vornel >/dev/null
    # The start that hands over ends; after that no menu can come.
    e2e_wait_for "round $round: neither start ended" eval 'e2e_ended $first || e2e_ended $second'
    if e2e_ended "$first"; then ended=$first shown=$second; else ended=$second shown=$first; fi
    e2e_wait_exit "$ended"
    [ "$E2E_STATUS" = 0 ] || fail "round $round: the start that handed over ended with $E2E_STATUS"
    one_menu_of "$before" "$shown" "round $round"
done

# An owner of the name that fails the first hand-over and ends, without a
# word, when it is asked again, as a Vornel closing at that moment does.
/usr/bin/python3 - >"$E2E_TMP/owner" 2>&1 <<'EOF_PY' &
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
    calls.append(method)
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
e2e_wait_for "the failing owner did not take the name" grep -qx owned "$E2E_TMP/owner"
before=$(wc -l <"$E2E_TMP/root")
"$vornel" >>"$E2E_TMP/vornel.log" 2>&1 &
start=$!
E2E_PIDS+=("$start")
e2e_wait_window Vornel >/dev/null
e2e_ended "$owner" || fail "the failing owner was asked once only"
e2e_wait_for "the start did not take the name of the owner that ended" e2e_bus_owner_is "$app" "$start"
# The next start hands over to it.
"$vornel" >>"$E2E_TMP/vornel.log" 2>&1 &
next=$!
E2E_PIDS+=("$next")
e2e_wait_exit "$next"
[ "$E2E_STATUS" = 0 ] || fail "the start after an owner ended: status $E2E_STATUS"
one_menu_of "$before" "$start" "after an owner that ended"
e2e_summary "two starts"
