#!/usr/bin/env bash
# The folders are layers: a folder includes headers only from itself and the
# folders below it (doc/manual.md, "Layout"). Prints every include that points up
# or sideways, and any library under the windows that links more than Qt
# Core, and fails if there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A allowed=(
    [assets]="assets"
    [threads]="threads"
    [chart_model]="chart_model threads"
    [charts]="charts chart_model threads"
    [search]="search chart_model threads"
    [windows]="windows search chart_model threads assets"
    [app]="app windows charts search chart_model threads assets"
)

status=0
for folder in "${!allowed[@]}"; do
    while IFS= read -r hit; do
        included=${hit#*\#include \"}
        included=${included%%/*}
        case " ${allowed[$folder]} " in
        *" $included "*) ;;
        *)
            echo "layering: $hit" >&2
            status=1
            ;;
        esac
    done < <(grep -HnE '^#include "[a-z_]+/' "$folder"/*.h "$folder"/*.cpp || true)
done
# The model and the libraries on it link Qt Core alone.
for folder in threads chart_model charts search; do
    if grep -nE 'Qt6::(Gui|Widgets|PrintSupport)' "$folder/CMakeLists.txt" >&2; then
        echo "layering: $folder/ links more than Qt Core" >&2
        status=1
    fi
done
[ "$status" -eq 0 ] && echo "layering: every include points down"
exit "$status"
