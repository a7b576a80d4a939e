#!/usr/bin/env bash
# Installs what is missing, builds and runs the demo.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/normal -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/normal -j "$(nproc)" --target krostream-view
exec build/normal/bin/krostream-view "$@"
