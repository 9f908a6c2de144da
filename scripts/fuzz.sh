#!/usr/bin/env bash
# Builds the fuzz targets with clang into build-fuzz/ and runs each for
# SECONDS (default 60), starting from the sample inputs in tests/fuzz/corpus/NAME;
# the inputs it adds are kept in build-fuzz/corpus/NAME, outside the source tree.
# A crash, leak, hang or sanitizer report stops that target and fails the run;
# the input that caused it is left in build-fuzz/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
      -DCMAKE_CXX_COMPILER=clang++ -DORVANE_FUZZ=ON -DORVANE_BUILD_TESTS=OFF -DORVANE_BUILD_BENCHMARKS=OFF >/dev/null
targets=(fuzz_history fuzz_settings fuzz_wheel_output fuzz_pool_file fuzz_import fuzz_number_text)
cmake --build build-fuzz -j2 --target "${targets[@]}"
status=0
for target in "${targets[@]}"; do
  name=${target#fuzz_}
  mkdir -p "build-fuzz/corpus/$name"
  echo "== $target, ${seconds} s"
  (cd build-fuzz && "./tests/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 "corpus/$name" "../tests/fuzz/corpus/$name") 2>&1 | tail -n 12 || status=1
done
exit "$status"
