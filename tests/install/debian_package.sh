#!/usr/bin/env bash
# The Debian package as a user gets it: a build of the release preset without
# the tests, configured afresh (no value left from an earlier run) in a folder
# of its own whose objects are kept between runs, then
# `cpack -G DEB` on it. The package's dependencies are those dpkg-shlibdeps
# computed, with the font besides; its contents are the installed tree;
# lintian has nothing to say about it and hardening-check passes on its
# program.
#   debian_package.sh CMAKE CPACK SOURCE_DIR PACKAGE_BUILD_DIR VERSION
. "$(dirname "$0")/lib.sh"
cmake=$1
cpack=$2
source=$3
build=$4
version=$5

"$cmake" --fresh -S "$source" --preset release -B "$build" -DBUILD_TESTING=OFF \
    >"$SCRATCH/configure.log" 2>&1 || fail "configure: $(cat "$SCRATCH/configure.log")"
# A newer compiler's new warnings must not stop a release build.
! grep -Eq -- '-Werror([^=]|$)' "$build/compile_commands.json" ||
    fail "the release build turns warnings into errors"
grep -q -- '-D_FORTIFY_SOURCE=' "$build/compile_commands.json" ||
    fail "the release build has no _FORTIFY_SOURCE"
"$cmake" --build "$build" -j"$(nproc)" >"$SCRATCH/build.log" 2>&1 ||
    fail "build: $(tail -n 40 "$SCRATCH/build.log")"
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

# The changelog's newest entry is this version's.
top=$(zcat "$SCRATCH/tree/usr/share/doc/vornel/changelog.gz" | head -n 1)
[[ $top == "vornel ($version) "* ]] || fail "the changelog starts '$top'"

# Every tag, informational ones included: the changelog, the manual pages,
# the hardening flags and the stripped program are all looked at.
# Its tags go to stdout; stderr has its own notes (on running as root, say).
out=$(lintian -I --tag-display-limit 0 "$deb" 2>"$SCRATCH/lintian.err") ||
    fail "lintian: $out $(cat "$SCRATCH/lintian.err")"
[ -z "$out" ] || fail "lintian has remarks: $out"
# hardening-check wants a checked call (__memcpy_chk, say) to see
# _FORTIFY_SOURCE, but no memcpy, memmove or memset in the program writes to a
# destination whose size the compiler knows: the flag is looked for in the
# compile commands above instead. Control-flow protection is wanted only where
# dpkg-buildflags has it (its "branch" feature, from dpkg 1.22 on).
skip=(--nofortify)
dpkg-buildflags --query-features hardening | grep -qx 'Feature: branch' ||
    skip+=(--nocfprotection)
for program in usr/bin/vornel usr/libexec/vornel/vornel-search-provider; do
    out=$(hardening-check "${skip[@]}" "$SCRATCH/tree/$program" 2>&1) ||
        fail "hardening-check: $out"
done
echo "debian package: 1 passed, 0 failed"
