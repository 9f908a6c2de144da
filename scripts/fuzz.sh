#!/usr/bin/env bash
# Builds the fuzz targets with clang into build-fuzz/ and runs each for
# SECONDS (default 60), starting from the sample inputs in tests/fuzz/corpus/NAME;
# the inputs it adds are kept in build-fuzz/corpus/NAME, outside the source tree.
# FUZZ_JOBS targets run side by side (default 1). A crash, leak, hang or
# sanitizer report stops that target and fails the run; the input that caused
# it is left in build-fuzz/, and each target's whole log in build-fuzz/NAME.log.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
jobs=${FUZZ_JOBS:-1}
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
      -DCMAKE_CXX_COMPILER=clang++ -DORVANE_FUZZ=ON -DORVANE_BUILD_TESTS=OFF -DORVANE_BUILD_BENCHMARKS=OFF >/dev/null
targets=(fuzz_history fuzz_settings fuzz_wheel_output fuzz_pool_file fuzz_import fuzz_number_text)
cmake --build build-fuzz -j2 --target "${targets[@]}"

fuzz() {
  local target=$1 name=${1#fuzz_}
  mkdir -p "build-fuzz/corpus/$name"
  if (cd build-fuzz && "./tests/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 "corpus/$name" "../tests/fuzz/corpus/$name") > "build-fuzz/$name.log" 2>&1; then
    echo "== $target, ${seconds} s: $(grep -o 'stat::number_of_executed_units: [0-9]*' "build-fuzz/$name.log"), $(grep -o 'ft: [0-9]*' "build-fuzz/$name.log" | tail -n 1)"
  else
    echo "== $target FAILED:"; tail -n 40 "build-fuzz/$name.log"; return 1
  fi
}

status=0
pids=()
for target in "${targets[@]}"; do
  fuzz "$target" & pids+=($!)
  if [ ${#pids[@]} -ge "$jobs" ]; then
    wait "${pids[0]}" || status=1
    pids=("${pids[@]:1}")
  fi
done
for pid in "${pids[@]}"; do wait "$pid" || status=1; done
exit "$status"
