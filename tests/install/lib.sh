# Shared by the install and package tests: a scratch folder that is removed
# at the end, and the application id that names the installed files.
set -euo pipefail

APP_ID=io.github.vornel.Vornel
ICON_SIZES=(16 32 48 256)
SCRATCH=$(mktemp -d)
trap 'rm -rf "$SCRATCH"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Checks the installed tree under $1 (a DESTDIR with prefix /usr): every file
# in place, the entry's icon and program there, both validators content.
check_installed_tree() {
    local root=$1 usr=$1/usr
    local desktop=$usr/share/applications/$APP_ID.desktop
    local metainfo=$usr/share/metainfo/$APP_ID.metainfo.xml
    [ -x "$usr/bin/vornel" ] || fail "no executable bin/vornel"
    [ -f "$desktop" ] || fail "no desktop entry $APP_ID.desktop"
    [ -f "$metainfo" ] || fail "no AppStream metadata $APP_ID.metainfo.xml"
    [ -f "$usr/share/doc/vornel/copyright" ] || fail "no copyright file"
    [ -f "$usr/share/doc/vornel/changelog.gz" ] || fail "no changelog.gz"
    local page
    for page in man/man1/vornel.1.gz man/ja/man1/vornel.1.gz; do
        [ -f "$usr/share/$page" ] || fail "no manual page $page"
    done

    local icon size
    icon=$(sed -n 's/^Icon=//p' "$desktop")
    [ "$icon" = "$APP_ID" ] || fail "the entry's icon is '$icon'"
    for size in "${ICON_SIZES[@]}"; do
        local png=$usr/share/icons/hicolor/${size}x${size}/apps/$icon.png
        [ -f "$png" ] || fail "no ${size}px icon"
        file -b "$png" | grep -q "^PNG image data, $size x $size," ||
            fail "the ${size}px icon is $(file -b "$png")"
    done
    # The entry and its action "ねじ・下穴の検索" start the installed program.
    local exec
    while read -r exec; do
        [ -x "$usr/bin/${exec%% *}" ] || fail "the entry starts '$exec', which is not installed"
    done < <(sed -n 's/^Exec=//p' "$desktop")
    grep -qx 'Exec=vornel --search' "$desktop" || fail "the entry has no search action"
    # The desktop's search: GNOME Shell's provider, KRunner's plugin, and the
    # session bus's service, which starts the program where it is installed.
    local provider=$usr/share/gnome-shell/search-providers/$APP_ID.search-provider.ini
    local runner=$usr/share/krunner/dbusplugins/$APP_ID.desktop
    local service=$usr/share/dbus-1/services/$APP_ID.SearchProvider.service
    [ -f "$provider" ] || fail "no GNOME Shell search provider"
    grep -qx "DesktopId=$APP_ID.desktop" "$provider" || fail "the search provider names another entry"
    [ -f "$runner" ] || fail "no KRunner plugin"
    grep -qx "Exec=/usr/libexec/vornel/vornel-search-provider" "$service" ||
        fail "the D-Bus service starts '$(sed -n 's/^Exec=//p' "$service")'"
    # The entry is D-Bus-activatable: the bus starts the one application.
    grep -qx 'DBusActivatable=true' "$desktop" || fail "the entry is not DBusActivatable"
    local app_service=$usr/share/dbus-1/services/$APP_ID.service
    grep -qx "Name=$APP_ID" "$app_service" && grep -qx "Exec=/usr/bin/vornel --gapplication-service" "$app_service" ||
        fail "the application's D-Bus service starts '$(sed -n 's/^Exec=//p' "$app_service")'"
    local remarks
    remarks=$(desktop-file-validate "$runner" 2>&1) || fail "desktop-file-validate: $remarks"
    [ -z "$remarks" ] || fail "desktop-file-validate has remarks on the KRunner plugin: $remarks"

    local out
    out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $out"
    [ -z "$out" ] || fail "desktop-file-validate has remarks: $out"
    out=$(appstreamcli validate --no-net "$metainfo" 2>&1) ||
        fail "appstreamcli validate: $out"
    # The metadata and the entry it launches, read together as a tree.
    out=$(appstreamcli validate-tree --no-net "$root" 2>&1) ||
        fail "appstreamcli validate-tree: $out"
    grep -q "<launchable type=\"desktop-id\">$APP_ID.desktop</launchable>" "$metainfo" ||
        fail "the metadata does not launch $APP_ID.desktop"
}
