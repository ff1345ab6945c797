#!/usr/bin/env bash
# Counts the instructions of the start-up probes and of opening every chart
# with valgrind's callgrind, on Qt's offscreen platform: repeatable where
# times are not. Leaves the profiles in build/callgrind/ for callgrind_annotate.
#   bench/callgrind.sh
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/setup.sh
vornel_install "${VORNEL_PACKAGES[@]}" valgrind
cmake --preset dev >/dev/null
cmake --build --preset dev -j"$(nproc)" --target vornel_startup_probe vornel_floor_probe \
    vornel_menu_floor_probe vornel_all_windows_probe >/dev/null

out=build/callgrind
mkdir -p "$out"
count() {
    QT_QPA_PLATFORM=offscreen valgrind --tool=callgrind --callgrind-out-file="$out/$1.out" \
        "build/bench/vornel_$1_probe" 2>&1 >/dev/null | awk '/Collected :/ {print $NF}'
}
floor=$(count floor)
menu=$(count menu_floor)
startup=$(count startup)
all=$(count all_windows)
awk -v f="$floor" -v m="$menu" -v s="$startup" -v a="$all" 'BEGIN {
    printf "floor probe (one button)         %6.1f M instructions\n", f / 1e6
    printf "menu floor probe                 %6.1f M instructions\n", m / 1e6
    printf "start-up probe                   %6.1f M  (%.3f × menu floor, %.2f × floor)\n", s / 1e6, s / m, s / f
    printf "menu and all ten charts opened   %6.1f M  (start-up + %.1f M)\n", a / 1e6, (a - s) / 1e6 }'
