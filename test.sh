#!/usr/bin/env bash
# Build with AddressSanitizer and UndefinedBehaviorSanitizer and run every test;
# then, when clang is present, run each fuzz target for a bounded number of inputs.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTESSALY_SANITIZE=ON >/dev/null
scripts/check_includes.sh
cmake --build build-san
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-san --output-on-failure -j"$(nproc)"

if command -v clang++ >/dev/null; then
  cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DTESSALY_FUZZ=ON >/dev/null
  for src in tests/fuzz/*.cpp; do
    target=$(basename "$src" .cpp)
    cmake --build build-fuzz --target "$target"
    "build-fuzz/$target" -runs=200000 -seed=1 -max_len=4096
  done
else
  echo "clang++ not found: fuzz targets skipped"
fi
