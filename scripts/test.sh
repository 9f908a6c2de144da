#!/usr/bin/env bash
# Installs what is missing, then:
#  0. builds into build-release/ optimised (Release, every compiler warning an
#     error) and runs every test through ctest, as the program ships;
#  1. builds into build-asan/ with AddressSanitizer and UndefinedBehaviorSanitizer,
#     every compiler warning an error, and runs every test through ctest: any
#     sanitizer finding fails (the benchmarks are built there too, not run);
#  2. builds the fuzz targets with clang into build-fuzz-smoke/ (warnings again
#     errors) and runs each through ctest for 10 s on its sample inputs;
#  3. checks src/ with clang-tidy (scripts/tidy.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

# The tests read what a user sees: pin the locale (they switch it themselves
# where a test is about it) and draw offscreen.
export LANG=C.UTF-8 LC_ALL=C.UTF-8
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANE_WARNINGS_AS_ERRORS=ON \
      -DORVANE_BUILD_BENCHMARKS=OFF
cmake --build build-release -j2
(cd build-release && ctest --output-on-failure -j2)

# A finding aborts the process, so it can never pass for an expected exit
# status. Leaks are suppressed only inside the desktop libraries
# (tests/lsan.supp). Set before the build: test discovery runs the tests.
export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
export UBSAN_OPTIONS=abort_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
# Unoptimised compiles quickest; -g1 keeps file and line in the reports, and
# the asserts stay on (no NDEBUG).
unoptimised=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O0 -g1"
             -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O0 -g1" -DORVANE_WARNINGS_AS_ERRORS=ON)
cmake -S . -B build-asan -G Ninja "${unoptimised[@]}" -DORVANE_SANITIZE=ON
cmake --build build-asan -j2
(cd build-asan && ctest --output-on-failure -j2)

cmake -S . -B build-fuzz-smoke -G Ninja "${unoptimised[@]}" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DORVANE_FUZZ=ON -DORVANE_BUILD_TESTS=OFF -DORVANE_BUILD_BENCHMARKS=OFF
cmake --build build-fuzz-smoke -j2 --target fuzz_targets
(cd build-fuzz-smoke && ctest --output-on-failure -j2)

scripts/tidy.sh
