#!/usr/bin/env bash
# `cpack -G DEB` on the build: a package whose dependencies dpkg-shlibdeps
# computed, with the font besides, and whose contents are the installed tree.
#   debian_package.sh CPACK BUILD_DIR VERSION
. "$(dirname "$0")/lib.sh"
cpack=$1
build=$2
version=$3

(cd "$build" && "$cpack" -G DEB -B "$SCRATCH/out") >"$SCRATCH/cpack.log" 2>&1 ||
    fail "cpack: $(cat "$SCRATCH/cpack.log")"
shopt -s nullglob
debs=("$SCRATCH"/out/vornel_*.deb)
[ "${#debs[@]}" -eq 1 ] || fail "expected one vornel_*.deb, found ${#debs[@]}"
deb=${debs[0]}
arch=$(dpkg --print-architecture)
[ "$(basename "$deb")" = "vornel_${version}_$arch.deb" ] || fail "package named $(basename "$deb")"

[ "$(dpkg-deb -f "$deb" Package)" = vornel ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version $(dpkg-deb -f "$deb" Version)"
depends=$(dpkg-deb -f "$deb" Depends)
names=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ .*//')
for needed in fonts-ipafont-gothic libqt6widgets6 libqt6printsupport6 libqt6gui6 libqt6core6 libc6 libstdc++6; do
    grep -Fxq "$needed" <<<"$names" || fail "Depends lacks $needed: $depends"
done

dpkg-deb -x "$deb" "$SCRATCH/tree"
check_installed_tree "$SCRATCH/tree"
# Nothing outside /usr.
others=$(dpkg-deb -c "$deb" | awk '{print $NF}' | grep -Ev '^\./(usr/.*)?$' || true)
[ -z "$others" ] || fail "files outside /usr: $others"
echo "debian package: 1 passed, 0 failed"
