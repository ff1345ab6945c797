#!/usr/bin/env bash
# Measures Vornel's start-up, opening and scrolling its charts, and its memory,
# each against a floor measured in the same run, and prints every figure as a
# ratio to its floor with its budget. Runs on Qt's offscreen platform and on
# a private Xvfb display that it starts and stops itself.
#
#   ./bench.sh                        every measure
#   ./bench.sh startup first-search   only these: startup, first-search,
#                                     answer, memory, charts, provider
set -euo pipefail
sections=("$@")
for section in "${sections[@]}"; do
    case $section in
    startup | first-search | answer | memory | charts | provider) ;;
    *)
        echo "bench.sh: unknown measure '$section' (startup, first-search, answer, memory, charts, provider)" >&2
        exit 2
        ;;
    esac
done
# wanted SECTION: whether the run measures SECTION.
wanted() { [ ${#sections[@]} -eq 0 ] || [[ " ${sections[*]} " == *" $1 "* ]]; }
cd "$(dirname "$0")"
. scripts/setup.sh
vornel_install "${VORNEL_PACKAGES[@]}" "${VORNEL_BENCH_PACKAGES[@]}"

cmake --preset dev >/dev/null
cmake --build --preset dev -j"$(nproc)" --target vornel_startup_probe vornel_floor_probe \
    vornel_menu_floor_probe vornel_all_windows_probe vornel_chart_bench vornel_search_bench \
    vornel_first_search_probe vornel_provider_bench vornel vornel-search-provider \
    vornel_answer_path vornel_chart_pdf >/dev/null
bin=$PWD/build/bench

tmp=$(mktemp -d)
xvfb_pid=
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT

# A private X display: the first free one from :21 up, with no window manager.
display=21
while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do
    display=$((display + 1))
done
Xvfb ":$display" -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
    3>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.1; done
[ -s "$tmp/display" ] || { cat "$tmp/xvfb.log" >&2; echo "Xvfb did not start" >&2; exit 1; }

export XDG_RUNTIME_DIR=$tmp/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS

# A session bus with no services, for the start-up runs.
cat >"$tmp/plain-bus.conf" <<EOF
<busconfig>
  <type>session</type>
  <listen>unix:dir=$tmp</listen>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/><allow own="*"/>
  </policy>
</busconfig>
EOF

missed=0
# verdict FIGURE BUDGET: PASS if FIGURE <= BUDGET, else MISS (and counts it).
verdict() {
    if awk -v f="$1" -v b="$2" 'BEGIN { exit !(f <= b) }'; then
        echo PASS
    else
        echo MISS
    fi
}
count_miss() { [ "$1" = PASS ] || missed=$((missed + 1)); }

# on PLATFORM CMD...: runs CMD on PLATFORM: offscreen, or xcb on the display.
on() {
    local platform=$1
    shift
    if [ "$platform" = xcb ]; then
        DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$@"
    else
        env -u DISPLAY QT_QPA_PLATFORM=offscreen "$@"
    fi
}

# Start-up: the program's probe and two floors, in alternating blocks of runs;
# each figure is the sum of the blocks' medians over the floor's. The menu
# floor is a plain window with the menu's captions, font, picture and icon;
# the one-button floor a window of its size with one caption. All run on a
# session bus of their own, where the program takes its name before it
# shows the menu; beside the ratio, what that claim alone takes (the median
# of 21 starts).
startup() {
    local platform=$1 csv=$tmp/startup-$1.csv
    on "$platform" dbus-run-session --config-file="$tmp/plain-bus.conf" -- \
        hyperfine -N --style none --warmup 3 --runs 20 \
        -L probe "$(printf 'menu_floor,startup,floor,%.0s' $(seq 8) | sed 's/,$//')" \
        --export-csv "$csv" "$bin/vornel_{probe}_probe" >"$tmp/hyperfine.log" 2>&1 ||
        { cat "$tmp/hyperfine.log" >&2; exit 1; }
    local menu one
    read -r menu one < <(awk -F, 'NR == 1 { for (i = 1; i <= NF; i++) col[$i] = i; next }
        { sum[$col["parameter_probe"]] += $col["median"] }
        END { printf "%.2f %.2f\n", sum["startup"] / sum["menu_floor"], sum["startup"] / sum["floor"] }' "$csv")
    local v w check
    v=$(verdict "$menu" 1.08)
    w=$(verdict "$one" 1.15)
    count_miss "$v"
    count_miss "$w"
    check=$(for _ in $(seq 21); do
        on "$platform" dbus-run-session --config-file="$tmp/plain-bus.conf" -- \
            "$bin/vornel_startup_probe" --check-ms 2>/dev/null | awk '/^check_ms/ {print $2}'
    done | sort -n | sed -n 11p)
    printf '  %-9s %s × menu floor  budget ≤ 1.08  %s;  %s × one-button floor  budget ≤ 1.15  %s\n' \
        "$platform" "$menu" "$v" "$one" "$w"
    printf '  %-9s the claim to the name alone: %s ms\n' "" "$check"
}

# peak PLATFORM PROBE: the probe's peak resident memory in KiB, the median of
# three runs.
peak() {
    local i
    for i in 1 2 3; do
        on "$1" "$bin/vornel_$2_probe" --peak-rss 2>/dev/null | awk '/^peak_rss_kib/ {print $2}'
    done | sort -n | sed -n 2p
}

memory() {
    local platform=$1 floor menu all
    floor=$(peak "$platform" floor)
    menu=$(peak "$platform" startup)
    all=$(peak "$platform" all_windows)
    local v
    v=$(verdict "$((all - floor))" $((12 * 1024)))
    count_miss "$v"
    awk -v p="$platform" -v f="$floor" -v m="$menu" -v a="$all" -v v="$v" 'BEGIN {
        printf "  %-9s menu and ten charts: floor + %.1f MiB (%.2f × floor)  budget ≤ floor + 12 MiB  %s\n",
            p, (a - f) / 1024, a / f, v
        printf "  %-9s menu alone: floor + %.1f MiB; each of the 11 windows: %.2f MiB; each chart: %.2f MiB\n",
            "", (m - f) / 1024, (a - f) / 1024 / 11, (a - m) / 1024 / 10 }'
}

# The first Ctrl+F of a run, pressed 0.3 s after the menu appears (the
# program prepares the search window in that pause), timed inside the process
# from the call to the results' first paint, against a plain window of the
# search window's size with a line edit and an empty table, shown after the
# same pause: the medians of 15 alternating runs.
first_search() {
    local platform=$1 size i
    size=$(on "$platform" "$bin/vornel_first_search_probe" --size 2>/dev/null)
    for i in $(seq 15); do
        on "$platform" "$bin/vornel_first_search_probe" 2>/dev/null | sed 's/^/search /'
        # shellcheck disable=SC2086
        on "$platform" "$bin/vornel_first_search_probe" --floor $size 2>/dev/null | sed 's/^/floor /'
    done >"$tmp/first-search.txt"
    local ratio v
    ratio=$(awk '{ t[$1] = t[$1] " " $3 }
        function median(list,   n, a, i, j, x) {
            n = split(list, a, " ")
            for (i = 2; i <= n; i++) { x = a[i]; for (j = i - 1; j > 0 && a[j] > x; j--) a[j + 1] = a[j]; a[j + 1] = x }
            return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2 }
        END { printf "%.2f", median(t["search"]) / median(t["floor"]) }' "$tmp/first-search.txt")
    v=$(verdict "$ratio" 1.5)
    count_miss "$v"
    printf '  %-9s %s × a plain window with a line edit and an empty table  budget ≤ 1.5  %s\n' \
        "$platform" "$ratio" "$v"
}

# The path to an answer as the user sees it, on the display: Vornel started,
# Ctrl+F and "M8" typed, against a PDF viewer (mupdf) showing the metric
# chart: started, its search opened with "/" and the M8 row's drill typed,
# "6.8" and Enter (the chart writes "8 × 1.25", whose "×" no plain key
# types). Each step runs from the user's action to the last drawing before
# the screen rests (vornel_answer_path); beside them the start of a floor,
# one window of the menu's size with one button. The medians of alternating
# runs; the path is the sum of the three steps' medians.
answer() {
    local runs=9 i pdf=$tmp/metric.pdf
    on offscreen "$bin/vornel_chart_pdf" "$pdf" 2>/dev/null
    for i in $(seq "$runs"); do
        on xcb "$bin/vornel_answer_path" vornel M8 -- "$PWD/build/vornel" 2>/dev/null |
            sed 's/^/vornel /'
        on xcb "$bin/vornel_answer_path" viewer 6.8 -- /usr/lib/mupdf/mupdf-x11 "$pdf" \
            2>/dev/null | sed 's/^/mupdf /'
        on xcb "$bin/vornel_answer_path" start -- "$bin/vornel_floor_probe" 2>/dev/null |
            sed 's/^/floor /'
    done >"$tmp/answer.txt"
    local figures
    figures=$(awk -v runs="$runs" '{ t[$1 " " $2] = t[$1 " " $2] " " $3; n[$1 " " $2]++ }
        function median(list,   n, a, i, j, x) {
            n = split(list, a, " ")
            for (i = 2; i <= n; i++) { x = a[i]; for (j = i - 1; j > 0 && a[j] > x; j--) a[j + 1] = a[j]; a[j + 1] = x }
            return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2 }
        END {
            for (k in n) if (n[k] != runs && k != "floor start_ns") { print "incomplete " k; exit }
            vs = median(t["vornel start_ns"]); vf = median(t["vornel find_ns"]); vm = median(t["vornel match_ns"])
            ms = median(t["mupdf start_ns"]); mf = median(t["mupdf find_ns"]); mm = median(t["mupdf match_ns"])
            printf "%.2f %.2f %.2f %.2f %.2f %.2f %.2f\n", (vs + vf + vm) / (ms + mf + mm), vs / ms,
                vs / median(t["floor start_ns"]), vf / mf, vm / mm,
                (vf + vm) / (mf + mm), median(t["mupdf start_ns"]) / median(t["floor start_ns"]) }' \
        "$tmp/answer.txt")
    if [[ $figures == incomplete* ]]; then
        echo "  a run did not come to rest: ${figures#incomplete }" >&2
        missed=$((missed + 1))
        return
    fi
    local path start floor find match after viewer v
    read -r path start floor find match after viewer <<<"$figures"
    v=$(verdict "$path" 1.5)
    count_miss "$v"
    printf '  %-9s the path: %s × mupdf  budget ≤ 1.5  %s\n' xcb "$path" "$v"
    printf '  %-9s start %s × mupdf (%s × the floor; mupdf %s × the floor), Ctrl+F %s × its find,\n' \
        "" "$start" "$floor" "$viewer" "$find"
    printf '  %-9s "M8" %s × its match; search and query together %s ×\n' "" "$match" "$after"
}

# The desktop's search: a session bus of its own that starts the build's
# vornel-search-provider, which ends 300 ms after its last call.
provider() {
    local platform=$1
    mkdir -p "$tmp/services"
    printf '[D-BUS Service]\nName=io.github.vornel.Vornel.SearchProvider\nExec=%s\n' \
        "$PWD/build/vornel-search-provider" >"$tmp/services/io.github.vornel.Vornel.SearchProvider.service"
    cat >"$tmp/bus.conf" <<EOF
<busconfig>
  <type>session</type>
  <listen>unix:dir=$tmp</listen>
  <servicedir>$tmp/services</servicedir>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/><allow own="*"/>
  </policy>
</busconfig>
EOF
    echo "  $platform"
    on "$platform" env VORNEL_PROVIDER_IDLE_MS=300 dbus-run-session --config-file="$tmp/bus.conf" -- \
        "$bin/vornel_provider_bench" "$bin/vornel_startup_probe" >"$tmp/provider.txt" \
        2>"$tmp/provider.log" || { cat "$tmp/provider.log" >&2; exit 1; }
    cat "$tmp/provider.txt"
    missed=$((missed + $(grep -c ' MISS' "$tmp/provider.txt" || true)))
}

if wanted startup; then
    echo "Start-up: the menu's first paint, against the menu drawn by a plain window and"
    echo "against one window of its size with one button"
    startup offscreen
    startup xcb
    echo
fi
if wanted first-search; then
    echo "The first Ctrl+F: the search window built and drawn with its first results"
    first_search offscreen
    first_search xcb
    echo
fi
if wanted answer; then
    echo "The path to an answer: start, Ctrl+F and \"M8\", against a PDF viewer showing the chart"
    answer
    echo
fi
if wanted memory; then
    echo "Memory: peak resident, against the start-up floor's"
    memory offscreen
    memory xcb
    echo
fi
if wanted charts; then
    for platform in offscreen xcb; do
        on "$platform" "$bin/vornel_chart_bench" >"$tmp/charts.txt" 2>"$tmp/charts.log" ||
            { cat "$tmp/charts.log" >&2; exit 1; }
        cat "$tmp/charts.txt"
        missed=$((missed + $(grep -cE ' MISS( |$)' "$tmp/charts.txt" || true)))
        echo
        on "$platform" "$bin/vornel_search_bench" >"$tmp/search.txt" 2>"$tmp/search.log" ||
            { cat "$tmp/search.log" >&2; exit 1; }
        cat "$tmp/search.txt"
        missed=$((missed + $(grep -c ' MISS' "$tmp/search.txt" || true)))
        echo
    done
fi
if wanted provider; then
    echo "The desktop's search: a running provider's answer, and the first answer of one"
    echo "that the call starts against the program's start-up"
    provider offscreen
    provider xcb
    echo
fi

if [ "$missed" -eq 0 ]; then
    echo "Every budget met."
else
    echo "Budgets missed: $missed."
fi
