#!/usr/bin/env bash
# `cmake --install` into a staging DESTDIR with prefix /usr, then the
# installed tree: every file in place and both validators content.
#   installed_files.sh CMAKE BUILD_DIR
. "$(dirname "$0")/lib.sh"
cmake=$1
build=$2

DESTDIR=$SCRATCH/stage "$cmake" --install "$build" --prefix /usr >"$SCRATCH/install.log" 2>&1 ||
    fail "cmake --install: $(cat "$SCRATCH/install.log")"
check_installed_tree "$SCRATCH/stage"
echo "installed files: 1 passed, 0 failed"
