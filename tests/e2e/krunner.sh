#!/usr/bin/env bash
# KRunner's own RunnerManager (KDE Frameworks 5, as Plasma's KRunner uses
# it) with Vornel installed into a folder of the test's own: it finds the
# installed D-Bus plugin under XDG_DATA_DIRS, and its matches for a thread
# carry Vornel's texts, the exact designation first; running a match opens
# the chart at the row, and the action "ドリル径をコピー" puts the bare
# drill on the clipboard, where it stays after the client has ended.
#
# The client (krunner_client/) is built apart from Vornel's Qt 6 build, in
# CLIENT_DIR; on a private session bus whose service folder is the install's,
# under Xvfb with openbox.
#   krunner.sh CMAKE BUILD_DIR CLIENT_DIR
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/session.sh"
here=$(cd "$(dirname "$0")" && pwd)
cmake=$1
client_dir=$3

# The client, built once for the runs that share CLIENT_DIR, one at a time.
mkdir -p "$client_dir"
exec 9>"$client_dir.lock"
flock 9
"$cmake" -S "$here/krunner_client" -B "$client_dir" >"$E2E_TMP/client.log" 2>&1 ||
    fail "KDE Frameworks 5's KRunner is missing; install libkf5runner-dev (scripts/setup.sh does):
$(grep -A6 'CMake Error' "$E2E_TMP/client.log")"
"$cmake" --build "$client_dir" >>"$E2E_TMP/client.log" 2>&1 ||
    fail "the KRunner client did not build: $(tail -n 30 "$E2E_TMP/client.log")"
flock -u 9
exec 9>&-
client=$client_dir/krunner_client

e2e_install_staged "$cmake" "$2"
plugin=$(sed -n 's/^X-KDE-PluginInfo-Name=//p' "$E2E_KRUNNER_PLUGIN")

e2e_start_display
export HOME=$E2E_TMP/home XDG_CONFIG_HOME=$E2E_TMP/config XDG_CACHE_HOME=$E2E_TMP/cache
export XDG_DATA_HOME=$E2E_TMP/data XDG_RUNTIME_DIR=$E2E_TMP/runtime
export XDG_DATA_DIRS=$E2E_SHARE:${XDG_DATA_DIRS:-/usr/local/share:/usr/share}
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# What the bus starts ends after 1.5 s without a window or a call.
e2e_start_session_bus VORNEL_PROVIDER_IDLE_MS=1500

# krunner QUERY [N [ACTION]]: the client's lines.
krunner() {
    local status=0
    "$client" "$plugin" "$@" </dev/null 2>"$E2E_TMP/client.err" || status=$?
    [ "$status" = 0 ] || fail "krunner_client $* ended with $status: $(cat "$E2E_TMP/client.err")"
}

# The order change: every door gives the search window's results in its
# order. The exact-match change: KRunner's exact match is decided on the
# thread that a query names, whatever family prefix, thread count or
# tolerance class it is written with, not on its text.
E2E_AWAITING[order]=0
E2E_AWAITING[exact-match]=0

# A query | the change a row awaits, if any | its first match: text,
# subtext, relevance, type and the actions' texts, or its text alone |
# every match's text in the order given, where it is checked. A query that
# names one thread is an exact match (type 100) of relevance 1.
while IFS='|' read -r query awaits first texts; do
    matches=$(krunner "$query")
    problem=''
    line=$(head -n1 <<<"$matches")
    [[ $first == *'\t'* ]] || line=$(cut -f1 <<<"$line")
    [ "$line" = "$(printf '%b' "$first")" ] || problem="the first match is $(head -n1 <<<"$matches")"
    [ -z "$texts" ] || [ "$(cut -f1 <<<"$matches")" = "$(printf '%b' "$texts")" ] ||
        problem="the matches are $(cut -f1 <<<"$matches" | tr '\n' ' ')"
    if [ -n "$awaits" ]; then
        e2e_awaited_check "$awaits" "$query: $problem" [ -z "$problem" ]
    else
        [ -z "$problem" ] || fail "$query: $problem"
        E2E_PASSED=$((E2E_PASSED + 1))
    fi
done <<EOF
M8x1.25||8 × 1.25（メートルねじ）\tドリル径 6.8、めねじ内径 6.647～6.912、めねじ有効径 7.188～7.348、めねじ外径 最小 8.000、ISO 965-1 6H 計算値、タップ ISO 2、ひっかかり率 89 %\t1\t100\tドリル径をコピー|8 × 1.25（メートルねじ）\n8 × 1.25（インサートメートルねじ）\nM 8 × 1.25（溝なしタップメ－トルねじ）
PF1/4|exact-match|G(PF) 1/4 ‐19（英式管用平行ねじ（G、PF））\tドリル径 11.7、めねじ内径 11.445～11.89、ひっかかり率 85 %\t1\t100\tドリル径をコピー|G(PF) 1/4 ‐19（英式管用平行ねじ（G、PF））
PF1/4-19|exact-match|G(PF) 1/4 ‐19（英式管用平行ねじ（G、PF））\tドリル径 11.7、めねじ内径 11.445～11.89、ひっかかり率 85 %\t1\t100\tドリル径をコピー|
G1/4-19|exact-match|G(PF) 1/4 ‐19（英式管用平行ねじ（G、PF））\tドリル径 11.7、めねじ内径 11.445～11.89、ひっかかり率 85 %\t1\t100\tドリル径をコピー|
M8x1.25-6H|exact-match|8 × 1.25（メートルねじ）\tドリル径 6.8、めねじ内径 6.647～6.912、めねじ有効径 7.188～7.348、めねじ外径 最小 8.000、ISO 965-1 6H 計算値、タップ ISO 2、ひっかかり率 89 %\t1\t100\tドリル径をコピー|
#10-24|exact-match|No.10‐24UNC（ユニファイねじ）\tドリル径 3.9、めねじ内径 3.683～3.962、めねじ有効径 4.138～4.247（0.1629～0.1672 in）、めねじ外径 最小 4.826（0.1900 in）、ASME B1.1 2B 計算値、タップ H3、ひっかかり率 81 %\t1\t100\tドリル径をコピー|
1/4-20UNC||1/4 ‐20UNC（ユニファイねじ）\tドリル径 5.1、めねじ内径 4.979～5.257、めねじ有効径 5.525～5.649（0.2175～0.2224 in）、めねじ外径 最小 6.350（0.2500 in）、ASME B1.1 2B 計算値、タップ H5、ひっかかり率 91 %\t1\t100\tドリル径をコピー|
1/4-20|order|1/4 ‐20UNC（ユニファイねじ）|
EOF

# Running a match, as Enter or an action's button does: query | match |
# action | the chart's window that it opens | what the clipboard then holds
# (Ctrl+C in the chart copies the selected row).
while IFS='|' read -r query match action title expected; do
    echo before | xclip -selection clipboard
    krunner "$query" "$match" ${action:+"$action"} >/dev/null
    expected=$(printf '%b' "$expected")
    if [ -n "$title" ]; then
        window=$(e2e_wait_window "$title")
        sleep 0.3
        xdotool windowactivate --sync "$window"
        xdotool key --window "$window" ctrl+c
    fi
    e2e_eventually eval '[ "$(xclip -o -selection clipboard 2>/dev/null)" = "$expected" ]' || true
    clipboard=$(xclip -o -selection clipboard 2>/dev/null || true)
    [ "$clipboard" = "$expected" ] ||
        fail "$query, match $match, ${action:-run}: the clipboard holds '$clipboard'"
    [ -z "$title" ] || wmctrl -i -c "$window"
    E2E_PASSED=$((E2E_PASSED + 1))
done <<EOF
M8x1.25|0||メートルねじ|8 × 1.25\t6.8\t6.647\t6.912
M8x1.25|0|ドリル径をコピー||6.8
PF1/4|0|ドリル径をコピー||11.7
EOF
# The copied drill outlives the client that asked for it, and the idle time
# of what copied it.
sleep 3
[ "$(xclip -o -selection clipboard)" = 11.7 ] || fail "the copied drill did not stay on the clipboard"
E2E_PASSED=$((E2E_PASSED + 1))
e2e_summary KRunner
