# Shared by the tests with the desktops' own search clients: Vornel installed
# into a folder of the test's own, and a private session bus that starts
# what that install's service files name. Sourced after lib.sh.

# e2e_install_staged CMAKE BUILD_DIR: installs into $E2E_TMP/usr; sets
# E2E_PREFIX and E2E_SHARE, and E2E_GNOME_BUS and E2E_KRUNNER_BUS, the bus
# names that the installed GNOME Shell .ini and KRunner plugin ask for.
e2e_install_staged() {
    E2E_PREFIX=$E2E_TMP/usr
    E2E_SHARE=$E2E_PREFIX/share
    "$1" --install "$2" --prefix "$E2E_PREFIX" >"$E2E_TMP/install.log" 2>&1 ||
        fail "cmake --install: $(cat "$E2E_TMP/install.log")"
    E2E_GNOME_INI=$(ls "$E2E_SHARE"/gnome-shell/search-providers/*.ini)
    E2E_KRUNNER_PLUGIN=$(ls "$E2E_SHARE"/krunner/dbusplugins/*.desktop)
    E2E_GNOME_BUS=$(sed -n 's/^BusName=//p' "$E2E_GNOME_INI")
    E2E_KRUNNER_BUS=$(sed -n 's/^X-Plasma-DBusRunner-Service=//p' "$E2E_KRUNNER_PLUGIN")
    [ -n "$E2E_GNOME_BUS" ] && [ -n "$E2E_KRUNNER_BUS" ] ||
        fail "the installed .ini or KRunner plugin names no bus name"
}

# e2e_start_session_bus [VARIABLE=VALUE ...]: a private session bus whose
# only service folder is the staged install's; the programs it starts get
# this shell's environment with the given changes (`VARIABLE=` removes one).
# Exports DBUS_SESSION_BUS_ADDRESS.
e2e_start_session_bus() {
    cat >"$E2E_TMP/session.conf" <<EOF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$E2E_TMP</listen>
  <servicedir>$E2E_SHARE/dbus-1/services</servicedir>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
EOF
    local environment=() setting
    for setting in "$@"; do
        if [ -z "${setting#*=}" ]; then environment+=(-u "${setting%%=*}"); else environment+=("$setting"); fi
    done
    env "${environment[@]}" dbus-daemon --config-file="$E2E_TMP/session.conf" --nofork \
        --print-address=3 3>"$E2E_TMP/session_bus" >>"$E2E_TMP/vornel.log" 2>&1 &
    E2E_PIDS+=($!)
    e2e_wait_for "the session bus did not start" test -s "$E2E_TMP/session_bus"
    DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$E2E_TMP/session_bus")
    export DBUS_SESSION_BUS_ADDRESS
}

# The process that owns bus name $1 on the session bus, or nothing.
e2e_bus_pid() {
    gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
        --method org.freedesktop.DBus.GetConnectionUnixProcessID "$1" 2>/dev/null |
        sed -n 's/^(uint32 \([0-9]*\),)$/\1/p'
}

# Whether process $2 owns bus name $1 on the session bus.
e2e_bus_owner_is() {
    [ "$(e2e_bus_pid "$1")" = "$2" ]
}

# The process ids of the visible windows titled exactly $1, one a line.
e2e_window_pids() {
    local id
    for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true); do
        xdotool getwindowpid "$id"
    done
}

# Checks that hold only once a change still to come is in. While
# E2E_AWAITING[KIND] is 1, a failing check of that kind is reported as
# AWAITING and does not fail the test; once every check of a kind holds, the
# test fails until the mark is taken away (set it to 0), so that no mark
# outlives its change. E2E_PASSED counts the checks that held.
declare -A E2E_AWAITING=() E2E_AWAITED=() E2E_AWAITED_FAILED=()
E2E_PASSED=0
# e2e_awaited_check KIND DESCRIPTION COMMAND...: runs one check of a kind.
e2e_awaited_check() {
    E2E_AWAITED[$1]=$((${E2E_AWAITED[$1]:-0} + 1))
    if "${@:3}"; then
        E2E_PASSED=$((E2E_PASSED + 1))
    elif [ "${E2E_AWAITING[$1]:-0}" = 1 ]; then
        echo "AWAITING the $1 change: $2" >&2
        E2E_AWAITED_FAILED[$1]=$((${E2E_AWAITED_FAILED[$1]:-0} + 1))
    else
        fail "$2"
    fi
}
# e2e_summary NAME: fails where every awaited check of a kind held, and
# otherwise prints the counts.
e2e_summary() {
    local kind counts=''
    for kind in "${!E2E_AWAITED[@]}"; do
        if [ "${E2E_AWAITING[$kind]:-0}" = 1 ]; then
            [ "${E2E_AWAITED_FAILED[$kind]:-0}" != 0 ] ||
                fail "every check awaiting the $kind change holds: set E2E_AWAITING[$kind]=0"
            counts+=", ${E2E_AWAITED_FAILED[$kind]} of ${E2E_AWAITED[$kind]} awaiting the $kind change"
        fi
    done
    ! grep -Eq 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$E2E_TMP/vornel.log" ||
        fail "the sanitizers reported"
    echo "e2e $1: $E2E_PASSED passed$counts, 0 failed"
}
