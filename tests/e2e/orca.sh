#!/usr/bin/env bash
# What a blind Japanese user hears: Debian's screen reader Orca on the private
# desktop, in a Japanese session, reads the program as it is driven with keys
# alone; its debug log's SPEECH OUTPUT lines are what it says. Speech goes to
# a speech-dispatcher of the test's own, whose only voice is its dummy module,
# playing to ALSA's null device.
#
# Every check runs and says PASS or FAIL; the test fails on any FAIL.
. "$(dirname "$0")/lib.sh"
vornel=$1
export LANG=ja_JP.UTF-8 LC_ALL= LANGUAGE=

e2e_start_display

# A session of its own: home, runtime folder, session bus (which starts the
# accessibility bus when Orca asks for it) and speech server.
export HOME=$E2E_TMP/home XDG_RUNTIME_DIR=$E2E_TMP/runtime
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
dbus-daemon --session --fork --nopidfile --print-address=3 --print-pid=4 \
    3>"$E2E_TMP/bus" 4>"$E2E_TMP/bus.pid" 2>"$E2E_TMP/dbus.log" || fail "no session bus"
E2E_PIDS+=("$(cat "$E2E_TMP/bus.pid")")
export DBUS_SESSION_BUS_ADDRESS
DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$E2E_TMP/bus")
export NO_AT_BRIDGE=0

mkdir -p "$E2E_TMP/speechd"
printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' >"$HOME/.asoundrc"
cat >"$E2E_TMP/speechd/speechd.conf" <<'EOF'
AudioOutputMethod "alsa"
AddModule "dummy" "sd_dummy" ""
DefaultModule dummy
EOF
export SPEECHD_ADDRESS=unix_socket:$E2E_TMP/speechd.sock
speech-dispatcher -s -t 0 -C "$E2E_TMP/speechd" -S "$E2E_TMP/speechd.sock" \
    -L "$E2E_TMP" >"$E2E_TMP/speechd.out" 2>&1 &
E2E_PIDS+=($!)

# Orca will not start beside another Orca of the same user (it asks pgrep
# for processes named orca), such as the user's own screen reader: the
# test's runs in a PID namespace of its own, whose /proc holds it alone. As
# root, or where the kernel lets a user make a user namespace.
alone=()
for namespace in "unshare --pid" "unshare --user --map-root-user --pid"; do
    # shellcheck disable=SC2086
    if $namespace --fork --mount-proc true 2>/dev/null; then
        read -ra alone <<<"$namespace --fork --kill-child --mount-proc"
        break
    fi
done
if [ ${#alone[@]} = 0 ] && pgrep -u "$(id -u)" -x orca >/dev/null; then
    fail "another Orca of this user runs ($(pgrep -u "$(id -u)" -x orca | tr '\n' ' '))," \
        "and Orca will not start beside it: run the test as root, or where unshare" \
        "(util-linux) may make a user namespace, or with no other Orca"
fi

log=$E2E_TMP/orca.log
# Never --replace: it ends every process named orca on the machine.
"${alone[@]}" orca -u "$E2E_TMP/orca-settings" --debug-file="$log" >"$E2E_TMP/orca.out" 2>&1 &
orca=$!
E2E_PIDS+=("$orca")
# In a namespace, $orca is unshare, which ignores the request to end while
# Orca runs: Orca itself, its child, is asked too.
orca_in_namespace() {
    local child
    child=$(pgrep -P "$orca" | head -n1) && E2E_PIDS+=("$child")
}
[ ${#alone[@]} = 0 ] || e2e_wait_for "Orca did not start in its namespace" orca_in_namespace
orca_started() {
    grep -q "SPEECH OUTPUT: 'Screen reader on.'" "$log" 2>/dev/null && return 0
    kill -0 "$orca" 2>/dev/null || fail "Orca ended: $(tail -n 5 "$E2E_TMP/orca.out")"
    return 1
}
e2e_wait_for "Orca did not start" orca_started

"$vornel" >"$E2E_TMP/vornel.log" 2>&1 &
pid=$!
E2E_PIDS+=("$pid")

failures=0
pass() { echo "PASS: $1"; }
# check WHAT CONDITION: CONDITION, a shell condition on $heard, must hold.
check() {
    if eval "$2"; then pass "$1"; else
        echo "FAIL: $1; heard:" >&2
        sed 's/^/    /' <<<"$heard" >&2
        failures=$((failures + 1))
    fi
}

# Each step is timed; what Orca said in it is read from its log at the end,
# by the times of its lines: Orca writes its log in blocks, not line by line.
steps=()
declare -A step_start
now() { date +%H:%M:%S.%6N; }
begin_step() {
    steps+=("$1")
    step_start[$1]=$(now)
}
# step NAME TITLE KEYS...: presses KEYS in the window titled TITLE, as a
# user does once it is active, and lets Orca finish speaking.
step() {
    local name=$1 title=$2 id
    shift 2
    id=$(e2e_wait_window "$title")
    xdotool windowactivate --sync "$id" >/dev/null 2>&1 || true
    sleep 0.5
    begin_step "$name"
    xdotool key --delay 150 "$@"
    sleep 2.5
}
# typing NAME TITLE TEXT: types TEXT a key at a time.
typing() {
    e2e_wait_window "$2" >/dev/null
    begin_step "$1"
    xdotool type --delay 150 "$3"
    sleep 2.5
}
# What Orca said in step $1, one utterance a line.
heard_in() {
    local from=${step_start[$1]} to=99 i
    for i in "${!steps[@]}"; do
        [ "${steps[$i]}" = "$1" ] && [ -n "${steps[$((i + 1))]:-}" ] &&
            to=${step_start[${steps[$((i + 1))]}]}
    done
    awk -v from="$from" -v to="$to" '$1 >= from && $1 < to && / - SPEECH OUTPUT: /' "$log" |
        sed -n "s/^[0-9:.]* - SPEECH OUTPUT: '\(.*\)'[ ]*{.*/\1/p"
}
has() { grep -qF -- "$2" <<<"$1"; }
count() { grep -cF -- "$2" <<<"$1" || true; }

search=ねじ・下穴の検索
e2e_wait_window Vornel >/dev/null
sleep 2

step open Vornel space
step lines メートルねじ Down Down
step menu メートルねじ Menu
step escape メートルねじ Escape
step copy メートルねじ Down ctrl+c
step search メートルねじ ctrl+f
typing typed "$search" M8x1.25
step where-am-i "$search" KP_Enter
step backspace "$search" BackSpace
typing retyped "$search" "5 6.9"
step down "$search" Down
step up "$search" Up
step down-again "$search" Down
step detail "$search" Tab
step detail-lines "$search" Down Down Down Down Down Down Down Down
step raise メートルねじ ctrl+f
# A bolt, a fit and a measurement, each typed over the query Ctrl+F selects.
typing bolt "$search" M8x1.25-6g
step bolt-row "$search" Down
step to-query "$search" ctrl+f
typing fit "$search" M8x1.25-6H/6g
step fit-row "$search" Down
step to-query-again "$search" ctrl+f
typing measured "$search" "OD 9.5 p 1.5"
step measured-row "$search" Down
begin_step end
kill -0 "$pid" 2>/dev/null || fail "the program ended"
# Orca writes its log in blocks and not at all when it is ended: keys that
# it logs at length push the steps' lines out.
xdotool key --delay 50 $(printf 'shift %.0s' $(seq 40))
sleep 1

# The chart's first line on opening.
heard=$(heard_in open)
check "opening the metric chart says its window and first line" \
    'grep -qx "メートルねじ フレーム." <<<"$heard" && grep -qx "メートルねじ." <<<"$heard"'
# A context menu says its entry and nothing after it; Escape re-reads the
# line the user is back on.
heard=$(heard_in menu)
check "a context menu says its first entry and nothing after it" \
    '[ "$(tail -n 1 <<<"$heard")" = "コピー." ]'
heard=$(heard_in escape)
check "Escape from the context menu re-reads the line" \
    '[ "$(tail -n 1 <<<"$heard")" = "めねじ内径　等級6H（旧JIS2級）" ]'
heard=$(heard_in copy)
check "Ctrl+C says what was copied" 'has "$heard" "コピーしました　ねじの呼び （注1）、ドリル径"'

# The empty query's examples, said once as the window opens.
heard=$(heard_in search)
check "the search window says its examples once" '[ "$(count "$heard" "入力の例　M8x1.25")" -eq 1 ]'

# Typing: the count once a pause, the focus left in the query.
heard=$(heard_in typed)
check "the count is said once as typing pauses" '[ "$(count "$heard" "検索結果 3 件")" -eq 1 ]'
check "typing says nothing of the results" '! has "$heard" "table with" && ! has "$heard" "メートルねじ"'
heard=$(heard_in where-am-i)
check "Where Am I while typing is on the query" 'has "$heard" "検索語" && ! has "$heard" "セル"'
heard=$(heard_in backspace)
# M8x1.2 is no thread of the charts, and its pitch none of ISO 261's: the
# one result says so.
check "Backspace says the deleted character and the new count" \
    'grep -qx "5" <<<"$heard" && has "$heard" "検索結果 1 件"'
heard=$(heard_in retyped)
check "the count comes back once" '[ "$(count "$heard" "検索結果 3 件")" -eq 1 ]'

# Down speaks the first result with its column names.
heard=$(heard_in down)
check "Down says the first result with its column names" \
    'has "$heard" "メートルねじ" && has "$heard" "ドリル径 6.8" && has "$heard" "めねじ内径 6.647 から 6.912"'
# The queried drill beside its ひっかかり率: "81" with "6.9" in the first
# result, as the result's texts name the queried drill (to be checked again
# where those texts change).
check "Down says the queried drill 6.9 beside its ひっかかり率 81 %" \
    'grep -E "ひっかかり率 81 %" <<<"$heard" | grep -qE "6\.9([^0-9]|$)"'
heard=$(heard_in up)
check "Up from the first result goes back to the query, read whole" \
    'has "$heard" "検索語" && has "$heard" "M8x1.25 6.9" && ! has "$heard" "table with"'

# The detail, line by line with the caret.
heard=$(heard_in detail)
check "Tab after the results reads the detail's first line" \
    'has "$heard" "詳細" && has "$heard" "メートルねじ　8 × 1.25"'
heard=$(heard_in detail-lines)
check "Down in the detail reads its lines to the usable drills" \
    'has "$heard" "ドリル径 6.8　ひっかかり率 89 %" && has "$heard" "有効径 7.188～7.348" &&
     has "$heard" "タップ ISO 2" && has "$heard" "使えるドリル径"'

# Raising the search window reads the query once, whole.
heard=$(heard_in raise)
check "raising the search window reads the query once" '[ "$(count "$heard" "M8x1.25 6")" -eq 1 ]'
check "raising the search window reads the query whole" 'has "$heard" "M8x1.25 6.9 selected"'

# Ranges in words, each pair named, no mark or hyphen read as one. ISO 965-1
# M8 × 1.25: 6g 7.760～7.972 and 7.042～7.160, 6H 6.647～6.912; M10 × 1.5's
# neighbour W 3/8-16 by its chart, 9.208～9.525.
marks() { has "$1" "チルダ" || has "$1" "スラッシュ" || has "$1" "マイナス" || has "$1" "カッコ"; }
heard=$(heard_in bolt-row)
check "a bolt's pairs are each named, ranges in words" \
    'has "$heard" "外径 7.760 から 7.972" && has "$heard" "有効径 7.042 から 7.160" && ! marks "$heard"'
heard=$(heard_in fit-row)
check "a fit's hole says its range in words" 'has "$heard" "めねじ内径 6.647 から 6.912" && ! marks "$heard"'
heard=$(heard_in to-query)
check "Ctrl+F in the results goes back to the query" 'has "$heard" "検索語"'
heard=$(heard_in measured-row)
check "a measurement's limits in words" 'has "$heard" "9.208 から 9.525" && ! has "$heard" "チルダ"'

[ -z "${E2E_KEEP_LOG:-}" ] || cp "$log" "$E2E_KEEP_LOG"
[ "$failures" -eq 0 ] || fail "$failures checks failed"
echo "what Orca says: every check passed"
