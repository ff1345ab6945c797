#!/usr/bin/env bash
# The desktop's search doors of an installed Vornel: `--find` and the other
# options from a shell with no display; then, under Xvfb and openbox, a
# private session bus whose service folder is the installed one, with no
# display in its activation environment, starts the provider on the first
# call, and every method of GNOME Shell's SearchProvider2 and of KRunner's
# krunner1 is called with gdbus, bad input included. Then the bus is given
# the display: opened results show their chart at the row, selected, in the
# one application that the bus starts, as do a second start and the desktop
# entry's action; the idle provider ends, and the application ends once it
# has neither a window nor the drill it copied on the clipboard.
# Screenshots go to $E2E_SHOTS where it is set.
#   desktop_search.sh CMAKE BUILD_DIR VERSION ROOT_MESSAGES
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/session.sh"
cmake=$1
build=$2
version=$3
root_messages=$4
prefix=$E2E_TMP/usr
name=io.github.vornel.Vornel.SearchProvider

"$cmake" --install "$build" --prefix "$prefix" >"$E2E_TMP/install.log" 2>&1 ||
    fail "cmake --install: $(cat "$E2E_TMP/install.log")"
vornel=$prefix/bin/vornel
share=$prefix/share
[ "$(sed -n 's/^Exec=//p' "$share/dbus-1/services/$name.service")" = "$prefix/libexec/vornel/vornel-search-provider" ] ||
    fail "the service file does not start the installed provider"
app=io.github.vornel.Vornel
[ "$(sed -n 's/^Exec=//p' "$share/dbus-1/services/$app.service")" = "$vornel --gapplication-service" ] ||
    fail "the application's service file does not start the installed program"
grep -qx "BusName=$name" "$share/gnome-shell/search-providers/io.github.vornel.Vornel.search-provider.ini" &&
    grep -qx "ObjectPath=/io/github/vornel/Vornel/SearchProvider" \
        "$share/gnome-shell/search-providers/io.github.vornel.Vornel.search-provider.ini" ||
    fail "the GNOME Shell .ini names another bus name or path"
grep -qx "X-Plasma-DBusRunner-Service=$name" "$share/krunner/dbusplugins/io.github.vornel.Vornel.desktop" &&
    grep -qx "X-Plasma-DBusRunner-Path=/runner" "$share/krunner/dbusplugins/io.github.vornel.Vornel.desktop" ||
    fail "the KRunner plugin names another bus name or path"
passed=1

# Where the search window shows the ひっかかり率, every door shows it: the
# metric 8 × 1.25's cell and its part of a description, and a queried
# drill's, named beside it.
engagement_cell='' engagement=''  any_engagement=''
if "$vornel" --find M8x1.25 | head -n1 | grep -q ひっかかり率; then
    engagement_cell='89 %\t' engagement='、ひっかかり率 89 %' any_engagement='、ひっかかり率 [0-9]+ %（ドリル径 [0-9.]+）'
fi

# The command line, with no display at all: arguments | status | a line that
# standard output must hold (a Perl regex), or nothing where it must be empty.
# Status 2 comes with one line on standard error.
heading="^図表\\tねじの呼び\\t種類\\tドリル径\\t${engagement:+ひっかかり率\\t}最小～最大寸法\\t一致\\t詳細$"
while IFS='|' read -r arguments status expected; do
    # shellcheck disable=SC2086
    actual=0
    env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$vornel" $arguments \
        >"$E2E_TMP/out" 2>"$E2E_TMP/err" || actual=$?
    [ "$actual" = "$status" ] || fail "vornel $arguments: status $actual, expected $status"
    if [ -n "$expected" ]; then
        grep -Pq -- "$expected" "$E2E_TMP/out" ||
            fail "vornel $arguments printed: $(cat "$E2E_TMP/out")"
    else
        [ ! -s "$E2E_TMP/out" ] || fail "vornel $arguments printed: $(cat "$E2E_TMP/out")"
    fi
    if [ "$status" = 2 ]; then
        [ "$(wc -l <"$E2E_TMP/err")" = 1 ] || fail "vornel $arguments said: $(cat "$E2E_TMP/err")"
    fi
    passed=$((passed + 1))
done <<EOF
--find M8x1.25|0|^メートルねじ\t8 × 1.25\t\t6.8\t${engagement_cell}めねじ内径 6.647～6.912\t呼び\t
--find M8x1.25|0|\t　有効径 7.188～7.348（計算値）\t　外径 最小 8.000（計算値）\t　タップ ISO 2\t
--find M8x1.25 --json|0|^ *"minimum": 7.188,$
--json --find zzz|1|^ *"query": "zzz",$
--json|2|
--find M8x1.25φ6.9|0|^メートルねじ\t8 × 1.25\t\t6.8\t${engagement_cell:+81 %（ドリル径 6.9）\t}めねじ内径 6.647～6.912\t呼び・範囲内
--find M8x1.25|0|$heading
-testability --find M8x1.25|0|^メートルねじ\t8 × 1.25\t
-platform offscreen -testability --version|0|^vornel $version$
--find zzz|1|
--find code|1|
--find 山形|1|
--find 外径|1|
--find M8の下穴|0|^メートルねじ\t8 × 1.25\t
--find zzz --find M8x1.25|0|^メートルねじ\t8 × 1.25\t
--find|2|
--bogus|2|
--find M8 --search|2|
--find M8 extra|2|
--help|0|^  --find <QUERY> 
--version|0|^vornel $version$
EOF

# Output that cannot be written is no success, and says so.
status=0
"$vornel" --find M8x1.25 >/dev/full 2>"$E2E_TMP/err" || status=$?
[ "$status" != 0 ] && grep -q 書き込み "$E2E_TMP/err" ||
    fail "--find to a full disk: status $status, said '$(cat "$E2E_TMP/err")'"
passed=$((passed + 1))

# A session bus of its own that starts the installed provider and
# application, with no display in its environment until one is given. The
# provider ends after 3 s without a call, the application 3 s after it was
# started for nothing.
e2e_start_display
# What the root window hears: every top-level window mapped, and the
# messages sent to it.
"$root_messages" >"$E2E_TMP/root" 2>&1 &
E2E_PIDS+=($!)
e2e_wait_for "the root window's listener did not start" grep -qx ready "$E2E_TMP/root"
export XDG_RUNTIME_DIR=$E2E_TMP/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
E2E_SHARE=$share
e2e_start_session_bus DISPLAY= VORNEL_PROVIDER_IDLE_MS=3000 VORNEL_IDLE_MS=3000

# call gnome|krunner METHOD ARGS...: the reply as gdbus prints it.
call() {
    local path=/io/github/vornel/Vornel/SearchProvider interface=org.gnome.Shell.SearchProvider2
    [ "$1" = krunner ] && path=/runner interface=org.kde.krunner1
    gdbus call --session --timeout 20 --dest "$name" --object-path "$path" \
        --method "$interface.$2" "${@:3}" || fail "$(cut -c1-300 <<<"$2 ${*:3}"): no reply"
}
# The process that owns bus name $1 (the provider's by default), or nothing.
provider_pid() {
    e2e_bus_pid "${1:-$name}"
}
# Every visible window belongs to process $1 and one is titled $2 (once).
# A window that is gone by the time it is asked about (a menu closing) is
# passed over.
only_windows_of() {
    local window owner count=0
    for window in $(xdotool search --onlyvisible --name . 2>/dev/null); do
        owner=$(xdotool getwindowpid "$window" 2>/dev/null) || continue
        [ "$owner" = "$1" ] ||
            fail "'$(xdotool getwindowname "$window" 2>/dev/null)' belongs to another process"
        [ "$(xdotool getwindowname "$window" 2>/dev/null)" = "$2" ] && count=$((count + 1))
    done
    [ "$count" = 1 ] || fail "$count windows titled '$2'"
}
# Activates the window titled $1, found afresh each try, and prints its id.
activate_titled() {
    local window
    for _ in 1 2 3; do
        window=$(e2e_wait_window "$1")
        xdotool windowactivate --sync "$window" 2>/dev/null && { echo "$window"; return 0; }
        sleep 0.2
    done
    fail "the window titled '$1' could not be activated"
}
shot() { [ -z "${E2E_SHOTS:-}" ] || import -window root "$E2E_SHOTS/${1//[\/\"]/_}.png"; }
# Whether the clipboard holds $1, or a text that starts with $1.
clipboard_is() { [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$1" ]; }
clipboard_starts_with() { [[ $(xclip -o -selection clipboard 2>/dev/null) == "$1"* ]]; }
# A second start (the command $@): it hands over to the running application
# and ends, with no window of its own mapped, even for a moment.
second_start() {
    "$@" >>"$E2E_TMP/vornel.log" 2>&1 &
    local started=$!
    e2e_wait_exit "$started"
    [ "$E2E_STATUS" = 0 ] || fail "$*: the second start ended with $E2E_STATUS"
    e2e_root_sync "$E2E_TMP/root"
    ! awk -v pid="$started" '$1 == "mapped" && $3 == pid' "$E2E_TMP/root" | grep -q . ||
        fail "$*: the second start mapped a window of its own"
}

[ -z "$(provider_pid)" ] || fail "the provider runs before it is called"
# The first call starts it.
ids=$(call gnome GetInitialResultSet "['M8x1.25']")
pid=$(provider_pid)
[ -n "$pid" ] || fail "no provider after the first call"
first=$(sed -n "s/^(\['\([^']*\)'.*/\1/p" <<<"$ids")
[ -n "$first" ] || fail "GetInitialResultSet(['M8x1.25']) gave $ids"

# Calls and what their replies must hold (a Perl regex): the same results by
# every method, and empty replies to bad input.
long=$(printf 'M8%.0s' $(seq 5000))
while IFS='|' read -r door method arguments expected; do
    eval "set -- $arguments"
    reply=$(call "$door" "$method" "$@")
    grep -Pq -- "$expected" <<<"$reply" || fail "$(cut -c1-300 <<<"$method $arguments: $reply")"
    passed=$((passed + 1))
done <<EOF
gnome|GetResultMetas|"['$first']"|^\(\[\{'description': <'ドリル径 6.8、めねじ内径 6.647～6.912、めねじ有効径 7.188～7.348、めねじ外径 最小 8.000、ISO 965-1 6H 計算値、タップ ISO 2$engagement'>, 'gicon': <'io.github.vornel.Vornel'>, 'id': <'$first'>, 'name': <'8 × 1.25（メートルねじ）'>\}\],\)$
gnome|GetSubsearchResultSet|"['$first']" "['M8x1.25']"|^$(sed 's/[][()]/\\&/g' <<<"$ids")\$
gnome|GetResultMetas|"['1:6.8']"|'description': <'ドリル径 6.9、めねじ内径 6.782～7.035$any_engagement、範囲内（最小 \+0.018／最大 −0.235）'>.*'name': <'5/16 ‐24UNF（ユニファイねじ）'>
krunner|Match|'M8x1.25'|^\(\[\('0:M8x1.25', '8 × 1.25（メートルねじ）', 'io.github.vornel.Vornel', 100, 1\.0, \{'actions': <\['copy-drill'\]>, 'subtext': <'ドリル径 6.8、めねじ内径 6.647～6.912、めねじ有効径 7.188～7.348、めねじ外径 最小 8.000、ISO 965-1 6H 計算値、タップ ISO 2$engagement'>\}\), \('1:M8x1.25', '8 × 1.25（インサートメートルねじ）'
gnome|GetInitialResultSet|"['M8x1.25', '6.9']"|^\(\['0:M8x1.25 6.9', '1:M8x1.25 6.9'
gnome|GetResultMetas|"['0:M8x1.25 6.9']"|'description': <'ドリル径 6.8、めねじ内径 6.647～6.912、めねじ有効径 7.188～7.348、めねじ外径 最小 8.000、ISO 965-1 6H 計算値、タップ ISO 2$any_engagement、[^']*範囲内（最小 \+0.253／最大 −0.012）'>.*'name': <'8 × 1.25（メートルねじ）'>
gnome|GetInitialResultSet|"['1/4-20']"|^\(\['0:1/4-20', '1:1/4-20', '2:1/4-20'
gnome|GetResultMetas|"['0:1/4-20']"|'name': <'1/4 ‐20UNC（ユニファイねじ）'>
krunner|Match|'1/4-20'|^\(\[\('0:1/4-20', '1/4 ‐20UNC（ユニファイねじ）', 'io.github.vornel.Vornel', 100, 1\.0, .*\('1:1/4-20', '1/4 ‐20（ウィットねじ（インチ呼び））', 'io.github.vornel.Vornel', 100, 0\.999,
krunner|Actions||^\(\[\('copy-drill', 'ドリル径をコピー', 'edit-copy'\)\],\)$
gnome|GetInitialResultSet|"@as []"|^\(@as \[\],\)$
gnome|GetInitialResultSet|"['$long']"|^\(@as \[\],\)$
gnome|GetInitialResultSet|"['\\\\u0001\\\\u001b[2J\\\\t', '🔩']"|^\(@as \[\],\)$
gnome|GetResultMetas|"['', ':', 'M8', '0', '-1:M8', '99999:M8', '3:M8x1.25', '０:M8', '0:$long']"|^\(@aa\{sv\} \[\],\)$
krunner|Match|'$long'|^\(@a\(sssida\{sv\}\) \[\],\)$
krunner|Match|''|^\(@a\(sssida\{sv\}\) \[\],\)$
gnome|ActivateResult|"'99:M8x1.25'" "['M8x1.25']" 0|^\(\)$
krunner|Run|"'nonsense'" "''"|^\(\)$
krunner|Run|"'$first'" "'no-such-action'"|^\(\)$
EOF
[ "$(provider_pid)" = "$pid" ] || fail "the provider did not outlive bad input"
[ -z "$(provider_pid $app)" ] || fail "bad input started the application"
xdotool search --onlyvisible --name . >/dev/null 2>&1 &&
    fail "bad input opened a window: $(xdotool search --onlyvisible --name . getwindowname %@)"
passed=$((passed + 1))

# A hundred thousand ids in one call: answered for a screenful of them, and
# a search sent meanwhile is answered at once.
# (More than an argument of gdbus can hold: Debian's GLib for Python calls.)
/usr/bin/python3 - "$name" >"$E2E_TMP/metas" <<'EOF' &
import sys
from gi.repository import Gio, GLib
bus = Gio.bus_get_sync(Gio.BusType.SESSION)
reply = bus.call_sync(sys.argv[1], "/io/github/vornel/Vornel/SearchProvider",
                      "org.gnome.Shell.SearchProvider2", "GetResultMetas",
                      GLib.Variant("(as)", (["0:M8x1.25"] * 100000,)), None,
                      Gio.DBusCallFlags.NONE, 20000, None)
print(len(reply.unpack()[0]))
EOF
many=$!
sleep 0.2
timeout 2 gdbus call --session --dest "$name" --object-path /io/github/vornel/Vornel/SearchProvider \
    --method org.gnome.Shell.SearchProvider2.GetInitialResultSet "['M8']" >/dev/null ||
    fail "a search waited behind a hundred thousand ids"
wait "$many" || fail "no reply to a hundred thousand ids"
metas=$(cat "$E2E_TMP/metas")
[ "$metas" -ge 1 ] && [ "$metas" -le 64 ] || fail "a hundred thousand ids gave $metas metas"
passed=$((passed + 1))

# From here on the bus starts programs on the display, as a desktop's does.
gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
    --method org.freedesktop.DBus.UpdateActivationEnvironment "{'DISPLAY': '$DISPLAY'}" >/dev/null ||
    fail "the bus did not take the display"

# GNOME Shell's Enter and KRunner's unknown action leave the clipboard alone.
printf 'user text' | xclip -i -selection clipboard
call gnome ActivateResult "'$first'" "['M8x1.25']" 0 >/dev/null
e2e_wait_window メートルねじ >/dev/null
call krunner Run "'$first'" "'no-such-action'" >/dev/null
sleep 0.3
[ "$(xclip -o -selection clipboard)" = "user text" ] ||
    fail "opening a result put '$(xclip -o -selection clipboard)' on the clipboard"
application=$(provider_pid $app)
[ -n "$application" ] && [ "$application" != "$pid" ] || fail "no application apart from the provider"
passed=$((passed + 1))

# Each door opens the row it names, selected (Ctrl+C copies it), or the
# search window with its query (Down, Ctrl+C copies the first result), as
# for a thread the standards give, which has no chart, in
# the one application, once; a second start brings its menu: how | window |
# what the clipboard then holds.
while IFS='|' read -r how title expected; do
    eval "$how" >/dev/null
    window=$(e2e_wait_window "$title")
    sleep 0.3
    shot "$title-${how%% *}"
    only_windows_of "$application" "$title"
    [ -n "$expected" ] || continue
    window=$(activate_titled "$title")
    if [ "$title" = ねじ・下穴の検索 ]; then
        xdotool key --window "$window" Down || fail "$how: Down went nowhere"
    fi
    xdotool key --window "$window" ctrl+c || fail "$how: Ctrl+C went nowhere"
    expected=$(printf '%b' "$expected")
    e2e_eventually clipboard_starts_with "$expected" || true
    clipboard=$(xclip -o -selection clipboard) || fail "$how: nothing on the clipboard"
    # The search window's copy may add further values after these.
    [ "$title" = ねじ・下穴の検索 ] && [[ $clipboard == "$expected"* ]] && expected=$clipboard
    [ "$clipboard" = "$expected" ] || fail "$how: copied '$clipboard'"
    passed=$((passed + 1))
done <<EOF
call gnome ActivateResult "'$first'" "['M8x1.25']" 0|メートルねじ|8 × 1.25\t6.8\t6.647\t6.912
call krunner Run "'0:1/4-20UNC'" "''"|ユニファイねじ|1/4 ‐20UNC\t5.1\t4.979\t5.257
call gnome LaunchSearch "['M8x1.25']" 0|ねじ・下穴の検索|メートルねじ\t8 × 1.25\t6.8\t6.647\t6.912
call gnome ActivateResult "'0:M105x2'" "['M105x2']" 0|ねじ・下穴の検索|計算値（ISO 965-1 6H）\tM105 × 2\t103\tめねじ内径 102.835～103.210
second_start "$vornel"|Vornel|
EOF
# A launcher's startup id, handed over with a call to the running
# application: the launch's feedback (the startup notification, its space
# escaped) ends, and the window shown is activated on the application's
# behalf as of the id's time. The call | the window | the id's time.
app_call() {
    gdbus call --session --timeout 20 --dest "$app" --object-path /io/github/vornel/Vornel \
        --method "org.freedesktop.Application.$1" "${@:2}" >/dev/null || fail "$1: no reply"
}
# Whether the root window was sent the end of launch $1 (its spaces
# escaped) and the request to activate window $3 as of the time $2.
startup_completed() {
    grep -qxF "startup remove: ID=${1// /\\ }" "$E2E_TMP/root" &&
        grep -qx "active $3 1 $2" "$E2E_TMP/root"
}
# The call (with the id in $id) | the window | the id | its time. The last
# id's message is 40 bytes, two whole pieces of 20: its end is the zero
# byte that follows in a third.
while IFS='|' read -r how title id time; do
    eval "$how"
    window=$(e2e_wait_window "$title")
    e2e_eventually startup_completed "$id" "$time" "$window" ||
        fail "$how: the root window was sent: $(cat "$E2E_TMP/root")"
    passed=$((passed + 1))
done <<'EOF'
app_call Activate "{'desktop-startup-id': <'$id'>}"|Vornel|e2e launch_TIME4242|4242
app_call ActivateAction "'chart'" "[<'0:M8x1.25'>]" "{'desktop-startup-id': <'$id'>}"|メートルねじ|e2e launch_TIME4343|4343
app_call ActivateAction "'search'" "[<'M8'>]" "{'desktop-startup-id': <'$id'>}"|ねじ・下穴の検索|e2e launch_TIME4444|4444
app_call Activate "{'desktop-startup-id': <'$id'>}"|Vornel|e2e launch no. 40_TIME4545|4545
EOF

# Asked for nothing more, the application that the bus started keeps its
# windows past its idle time (3 s).
sleep 4
kill -0 "$application" 2>/dev/null && e2e_window_shown メートルねじ ||
    fail "the application ended with its windows open"
passed=$((passed + 1))

# The menu stays open: the application runs on.
for title in メートルねじ ユニファイねじ ねじ・下穴の検索; do e2e_close_titled "$title"; done

# The desktop entry's action, as a launcher runs it, with a query of two
# words after it (one query, the words joined by a space): the running
# application opens its search window, and the start ends.
action=$(sed -n '/^\[Desktop Action search\]/,/^\[/s/^Exec=//p' "$share/applications/io.github.vornel.Vornel.desktop")
[ "$action" = "vornel --search" ] || fail "the action runs '$action'"
# shellcheck disable=SC2086
PATH=$prefix/bin:$PATH second_start $action M8x1.25 6.9
search=$(e2e_wait_window ねじ・下穴の検索)
only_windows_of "$application" ねじ・下穴の検索
sleep 0.3
shot launcher-action
search=$(activate_titled ねじ・下穴の検索)
xdotool key --window "$search" Down ctrl+c || fail "the action's search window took no keys"
e2e_eventually clipboard_starts_with メートルねじ$'\t'"8 × 1.25" ||
    fail "the action's search window copied '$(xclip -o -selection clipboard)'"
e2e_close_titled ねじ・下穴の検索
e2e_close_titled Vornel
passed=$((passed + 1))

# KRunner's action copies the bare drill; the application keeps it on the
# clipboard after its windows and the provider are gone, and past its own
# idle time (3 s after the call, as the provider's).
call krunner Run "'$first'" "'copy-drill'" >/dev/null
e2e_eventually clipboard_is 6.8 || fail "copy-drill copied '$(xclip -o -selection clipboard)'"
e2e_wait_for "the idle provider did not end" e2e_ended "$pid"
sleep 4
[ "$(xclip -o -selection clipboard)" = 6.8 ] ||
    fail "the copied drill did not outlive the provider: '$(xclip -o -selection clipboard)'"
kill -0 "$application" 2>/dev/null || fail "the application ended with the drill on the clipboard"
passed=$((passed + 1))

# Once the clipboard is another's, the application without a window ends.
printf 'user text' | xclip -i -selection clipboard
e2e_wait_for "the application without a window did not end" e2e_ended "$application"
passed=$((passed + 1))
! grep -Eq 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$E2E_TMP/vornel.log" ||
    fail "the sanitizers reported"
echo "e2e desktop search: $passed passed, 0 failed"
