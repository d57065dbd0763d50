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
  # Inputs per target: the parsers that open a machine folder or write
  # through the file layer per input cost milliseconds each, the pure ones
  # microseconds. Each run is also capped at 20 s, so the whole step stays
  # within a few minutes.
  declare -A runs=([blowfish_decrypt_fuzz]=200000 [machine_ini_fuzz]=20000 [task_file_fuzz]=50000
                   [shortcut_fuzz]=50000 [ini_text_fuzz]=5000 [hive_text_fuzz]=1500 [state_files_fuzz]=3000
                   [index_dat_fuzz]=2000 [cookies_txt_fuzz]=1500 [ns_keep_list_fuzz]=2000
                   [ie_keep_list_fuzz]=1500 [plugin_store_fuzz]=500 [tcp_backup_fuzz]=1000
                   [disabled_items_fuzz]=1000 [backup_restore_path_fuzz]=100000)
  targets=()
  for src in tests/fuzz/*_fuzz.cpp; do targets+=("$(basename "$src" .cpp)"); done
  cmake --build build-fuzz --target "${targets[@]}"
  for target in "${targets[@]}"; do
    # New inputs go to a scratch folder; the checked-in seeds stay as they are.
    scratch=$(mktemp -d)
    seeds=()
    [[ -d tests/fuzz/corpus/$target ]] && seeds=("tests/fuzz/corpus/$target")
    if ! "build-fuzz/$target" -runs="${runs[$target]:-100000}" -max_total_time=20 -seed=1 -max_len=4096 \
        -print_final_stats=1 -artifact_prefix=build-fuzz/ "$scratch" "${seeds[@]}" >"$scratch.log" 2>&1; then
      tail -n 60 "$scratch.log" >&2
      echo "fuzz target $target failed (input kept under build-fuzz/)" >&2
      exit 1
    fi
    echo "$target: $(grep -o 'number_of_executed_units: *[0-9]*' "$scratch.log" | grep -o '[0-9]*$') inputs"
    rm -rf "$scratch" "$scratch.log"
  done
else
  echo "clang++ not found: fuzz targets skipped"
fi
