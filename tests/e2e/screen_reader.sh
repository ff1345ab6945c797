#!/usr/bin/env bash
# The real program on the accessibility bus, read by a real client.
. "$(dirname "$0")/lib.sh"
vornel=$1
chart_lines=$2

e2e_start_display
"$chart_lines" >"$E2E_TMP/charts.json"
export NO_AT_BRIDGE=0
dbus-run-session -- /usr/bin/python3 "$(dirname "$0")/screen_reader.py" "$vornel" \
    "$E2E_TMP/charts.json" 2> >(grep -v -e 'fd limit' -e 'Activating service' \
                                   -e 'Successfully activated' -e 'SpiRegistry' >&2)
