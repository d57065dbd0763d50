#!/usr/bin/env bash
# Build tsyT and start it on its machine (TESSALY_MACHINE, else the default one).
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target tsyT
exec build/app/tsyT "$@"
