#!/usr/bin/env bash
# Installs what Vornel and its tests need, builds it and runs every test,
# headless: widget tests on Qt's offscreen platform, end-to-end tests under
# Xvfb with a window manager.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/setup.sh
vornel_install "${VORNEL_PACKAGES[@]}" "${VORNEL_TEST_PACKAGES[@]}"
vornel_build build
cd build
ctest --output-on-failure -j"$(nproc)"
