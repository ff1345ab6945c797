#!/usr/bin/env bash
# Installs what Vornel and its tests need, builds it and runs every test,
# headless: widget tests on Qt's offscreen platform, end-to-end tests under
# Xvfb with a window manager. The suite runs twice: in the normal build and
# in a build with AddressSanitizer and UndefinedBehaviorSanitizer, where any
# report fails the test that caused it. Then the query reader is fuzzed for a
# minute (libFuzzer, clang, with both sanitizers).
set -euo pipefail
cd "$(dirname "$0")"
. scripts/setup.sh
vornel_install "${VORNEL_PACKAGES[@]}" "${VORNEL_TEST_PACKAGES[@]}"
vornel_generate_locale ja_JP.UTF-8

cmake --preset dev
cmake --build --preset dev -j"$(nproc)"
ctest --preset dev -j"$(nproc)"

cmake --preset asan
cmake --build --preset asan -j"$(nproc)"
ctest --preset asan -j"$(nproc)"

cmake --preset fuzz
cmake --build --preset fuzz -j"$(nproc)" --target query_fuzzer
ctest --preset fuzz
