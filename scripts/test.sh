#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through ctest; then
# builds again into build-asan/ with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs every test there: any finding fails.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2)

# A finding aborts the process, so it can never pass for an expected exit
# status. Leaks are suppressed only inside the desktop libraries
# (tests/lsan.supp). Set before the build: test discovery runs the tests.
export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
export UBSAN_OPTIONS=abort_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
# Unoptimised compiles quickest; -g1 keeps file and line in the reports, and
# the asserts stay on (no NDEBUG).
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O0 -g1" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O0 -g1" \
      -DORVANE_SANITIZE=ON -DORVANE_BUILD_BENCHMARKS=OFF
cmake --build build-asan -j2
cd build-asan
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
