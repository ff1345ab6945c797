#!/usr/bin/env bash
# A Japanese user types with the input method on: fcitx5 with Mozc from
# Debian's packages, in hiragana mode, on the private desktop, in a Japanese
# session. Each query is typed twice into the search window with keys as a
# keyboard sends them, with the method off and on. With it on, nothing
# reaches the query before Enter; Enter commits Mozc's composition and opens
# no chart; the query then finds what the one typed plain finds, and a
# second Enter opens the first result's chart.
#
# Mozc's server does not run as root. Run as root, the test makes a user of
# its own with a temporary home, runs the whole session as that user and
# removes both at the end; run as another user it is skipped (status 77).
# Screenshots, with the composition on screen, go to $E2E_SHOTS where it is set.
#   input_method.sh VORNEL
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/session.sh"
here=$(cd "$(dirname "$0")" && pwd)
comment="Vornel input method test"
# The query reader reads "・" between digits as the fraction slash and "。"
# before digits as the decimal point: nothing awaits it any more.
E2E_AWAITING[query-reader]=0

# The keys typed | what Mozc commits for them at Enter | what the same keys
# type with the method off | the chart of the first result | the change that
# the results await, if any. Mozc's defaults: Shift with a letter switches to
# half-width letters and digits until the composition is committed; otherwise
# letters and digits are full-width, "/" is "・", "." is "。", and "-" is
# "ー", a minus sign "−" after a digit. The pipe chart is the first with
# G 1/4; the metric chart's M11 × 1.5 (9.376～9.676) holds 0.375 inch,
# 9.525 mm.
cases() {
    cat <<'EOF'
shift+m 8|M8|M8|メートルねじ|
m 8|ｍ８|m8|メートルねじ|
1 slash 4 minus 2 0|１・４−２０|1/4-20|ユニファイねじ|query-reader
shift+g 1 slash 4|G1/4|G1/4|英式管用平行ねじ（G、PF）|
g 1 slash 4|ｇ１・４|g1/4|英式管用平行ねじ（G、PF）|query-reader
period 3 7 5|。３７５|.375|メートルねじ|query-reader
EOF
}

# The session, as the test's user, with its home as HOME.
session() {
    local vornel=$1 search=ねじ・下穴の検索
    export LANG=ja_JP.UTF-8 LC_ALL='' LANGUAGE=''
    export XDG_RUNTIME_DIR=$E2E_TMP/runtime XDG_CONFIG_HOME=$HOME/.config
    export XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    e2e_start_display
    # Debian's own service files: the accessibility bus is started from them.
    # shellcheck disable=SC2034 # read by e2e_start_session_bus
    E2E_SHARE=/usr/share
    e2e_start_session_bus

    # Mozc as the second input method of the only group, on by default in
    # every window, one state for all.
    mkdir -p "$XDG_CONFIG_HOME/fcitx5"
    cat >"$XDG_CONFIG_HOME/fcitx5/profile" <<'EOF'
[Groups/0]
Name=既定
Default Layout=us
DefaultIM=mozc

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=mozc
Layout=

[GroupOrder]
0=既定
EOF
    printf '[Behavior]\nActiveByDefault=True\nShareInputState=All\n' >"$XDG_CONFIG_HOME/fcitx5/config"
    # Mozc's server started here, not by fcitx5, ends with the test.
    /usr/lib/mozc/mozc_server >"$E2E_TMP/mozc.log" 2>&1 &
    E2E_PIDS+=($!)
    fcitx5 --disable=all --enable=xcb,dbus,dbusfrontend,keyboard,mozc,classicui \
        >"$E2E_TMP/fcitx5.log" 2>&1 &
    E2E_PIDS+=($!)
    for _ in $(seq 100); do [ -n "$(e2e_bus_pid org.fcitx.Fcitx5)" ] && break; sleep 0.1; done
    [ -n "$(e2e_bus_pid org.fcitx.Fcitx5)" ] || fail "fcitx5 did not start: $(tail -n 5 "$E2E_TMP/fcitx5.log")"

    QT_IM_MODULE=fcitx XMODIFIERS=@im=fcitx GTK_IM_MODULE=fcitx QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
        "$vornel" >"$E2E_TMP/vornel.log" 2>&1 &
    local pid=$!
    E2E_PIDS+=("$pid")

    # What the program shows ($shown), read anew until a condition holds.
    local shown=''
    read_shown() { shown=$(python3 "$here/input_method_read.py" 2>>"$E2E_TMP/read.log"); }
    shown_field() { sed -n "s/^$1=//p" <<<"$shown"; }
    shown_is() { [ "$(shown_field "$1")" = "$2" ]; }
    wait_shown() {
        local what=$1
        shift
        for _ in $(seq 100); do
            read_shown
            "$@" && return 0
            sleep 0.1
        done
        fail "$what; the program shows: $(tr '\n' ' ' <<<"$shown")"
    }
    # The input method's state in the query: on (Mozc active) or off.
    method() {
        local state
        if [ "$1" = on ]; then fcitx5-remote -o; else fcitx5-remote -c; fi
        for _ in $(seq 100); do
            state="$(fcitx5-remote) $(fcitx5-remote -n)"
            [ "$1" = on ] && [ "$state" = "2 mozc" ] && return 0
            [ "$1" = off ] && [ "${state%% *}" = 1 ] && return 0
            sleep 0.1
        done
        fail "the input method is not $1: fcitx5-remote says '$state'"
    }
    shot() { [ -z "${E2E_SHOTS:-}" ] || import -window root "$HOME/shots/$1.png"; }
    checked() { E2E_PASSED=$((E2E_PASSED + 1)); }
    only_menu_and_search() {
        [ "$(shown_field windows | tr '\t' '\n' | sort)" = "$(printf '%s\n' Vornel "$search" | sort)" ]
    }

    local menu window
    menu=$(e2e_wait_window Vornel)
    xdotool windowactivate --sync "$menu"
    xdotool key ctrl+f
    window=$(e2e_wait_window "$search")
    wait_shown "the search window is not on the accessibility bus" shown_is text ''

    local keys composed plain chart spoken awaits n=0 count first opened
    while IFS='|' read -r keys composed plain chart awaits; do
        n=$((n + 1))
        xdotool windowactivate --sync "$window"
        # Typed plain.
        method off
        # shellcheck disable=SC2086
        xdotool key --delay 30 $keys
        wait_shown "'$keys' with the method off did not type '$plain'" shown_is text "$plain"
        count=$(shown_field count) first=$(shown_field first)
        # A screen reader hears the title's brackets as a pause.
        spoken=${chart//（/、} spoken=${spoken//）/}
        [ "${first%%$'\t'*}" = "$spoken" ] || fail "'$plain' finds first: $first"
        checked
        xdotool key ctrl+a BackSpace
        wait_shown "the query was not emptied" shown_is text ''

        # Typed with the method on. A composition shows on the bus as no
        # text: nothing there to wait for.
        method on
        # shellcheck disable=SC2086
        xdotool key --delay 30 $keys
        for _ in $(seq 10); do
            read_shown
            shown_is text '' || fail "'$keys' reached the query before Enter: '$(shown_field text)'"
            sleep 0.1
        done
        shot "$n-composing"
        checked
        xdotool key Return
        wait_shown "Enter committed nothing of '$keys'" eval '! shown_is text ""'
        shown_is text "$composed" || fail "Enter after '$keys' committed '$(shown_field text)', not '$composed'"
        checked
        shot "$n-committed"
        # Home goes where Enter went: once the caret is at the start, a chart
        # that the committing Enter opened would be on the bus (and would
        # have taken Home).
        xdotool key Home
        wait_shown "Home after '$composed' did not move the caret" \
            eval 'shown_is caret 0 || ! only_menu_and_search'
        only_menu_and_search ||
            fail "the Enter that committed '$composed' opened a window: $(shown_field windows)"
        checked
        e2e_awaited_check "${awaits:-typing}" \
            "'$composed' finds '$(shown_field count)' first '$(shown_field first)'; '$plain' finds '$count' first '$first'" \
            eval 'shown_is count "$count" && shown_is first "$first"'
        # A second Enter opens the first result's chart.
        xdotool key Return
        opened=''
        for _ in $(seq 50); do
            opened=$(xdotool search --onlyvisible --name "^$chart\$" 2>/dev/null | head -n1 || true)
            [ -n "$opened" ] && break
            sleep 0.1
        done
        e2e_awaited_check "${awaits:-typing}" "a second Enter after '$composed' opened no chart $chart" \
            test -n "$opened"
        [ -z "$opened" ] || e2e_close_titled "$chart"
        xdotool windowactivate --sync "$window"
        xdotool key ctrl+a BackSpace
        wait_shown "the query was not emptied" shown_is text ''
    done < <(cases)

    kill -0 "$pid" 2>/dev/null || fail "the program ended"
    e2e_summary input_method
}

if [ "${1:-}" = --session ]; then
    shift
    session "$@"
    exit
fi

[ "$(id -u)" = 0 ] || {
    echo "SKIP: Mozc's server does not run as root, and only root can make a user to run it"
    exit 77
}
vornel=$1
for package in fcitx5 fcitx5-mozc mozc-server fcitx5-frontend-qt6; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        fail "the Debian package $package is missing (scripts/setup.sh installs it)"
done

# The running processes of user $1 (a zombie, which this machine's first
# process may never reap, is none), one a line.
user_processes() {
    local uid status
    uid=$(id -u "$1") || return 0
    for status in /proc/[0-9]*/status; do
        awk -v uid="$uid" '/^State:/ { zombie = $2 == "Z" } /^Uid:/ { owner = $2 }
            END { exit !(owner == uid && !zombie) }' "$status" 2>/dev/null &&
            basename "${status%/status}"
    done
    return 0
}
# Ends what is left of user $1's processes, by their ids, and removes the
# user and its home $2.
remove_user() {
    local pids
    id -u "$1" >/dev/null 2>&1 || return 0
    for _ in $(seq 50); do
        pids=$(user_processes "$1")
        [ -z "$pids" ] && break
        # shellcheck disable=SC2086
        kill $pids 2>/dev/null || true
        sleep 0.1
    done
    userdel --force "$1" || echo "userdel could not remove $1" >&2
    rm -rf "$2"
}

# Users that earlier runs left when they were killed: each is named after
# the process that made it.
getent passwd | awk -F: -v c="$comment" '$5 == c { print $1, $6 }' | while read -r old old_home; do
    kill -0 "${old##*-}" 2>/dev/null || remove_user "$old" "$old_home"
done

user=vornel-im-$$
home=$(mktemp -d /tmp/vornel-im.XXXXXX)
trap 'remove_user "$user" "$home"; e2e_cleanup' EXIT
useradd --no-create-home --home-dir "$home" --shell /usr/sbin/nologin --comment "$comment" \
    --user-group "$user" || fail "useradd could not make the user $user"

# The user reads nothing of the build or source tree: the program, the
# scripts and the sanitizer build's suppressions are copied into its home.
mkdir -p "$home/bin" "$home/test" "$home/shots"
install -m 755 "$vornel" "$home/bin/vornel"
cp "$here/lib.sh" "$here/session.sh" "$here/input_method.sh" "$here/input_method_read.py" "$home/test/"
if [[ ${LSAN_OPTIONS:-} =~ suppressions=([^:]*) ]]; then
    cp "${BASH_REMATCH[1]}" "$home/test/lsan.supp"
    export LSAN_OPTIONS=${LSAN_OPTIONS/"${BASH_REMATCH[1]}"/$home/test/lsan.supp}
fi
chown -R "$user:" "$home"
chmod 700 "$home"

status=0
HOME=$home USER=$user LOGNAME=$user TMPDIR=$home setpriv --reuid="$user" --regid="$user" \
    --init-groups bash "$home/test/input_method.sh" --session "$home/bin/vornel" || status=$?
[ -z "${E2E_SHOTS:-}" ] || cp "$home"/shots/*.png "$E2E_SHOTS/" 2>/dev/null || true
exit "$status"
