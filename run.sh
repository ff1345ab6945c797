#!/usr/bin/env bash
# Installs what Vornel needs, builds it and starts it.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/setup.sh
vornel_install "${VORNEL_PACKAGES[@]}"
cmake --preset dev
cmake --build --preset dev -j"$(nproc)" --target vornel
exec build/vornel
