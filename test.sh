#!/usr/bin/env bash
# Build with AddressSanitizer and UndefinedBehaviorSanitizer and run every test.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTESSALY_SANITIZE=ON >/dev/null
cmake --build build-san
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-san --output-on-failure -j"$(nproc)"
