#!/usr/bin/env bash
# The static-analysis script cannot pass falsely: a clang-tidy that is missing
# or that fails without printing a finding fails the run.
#   tidy_failure_test.sh SOURCE_DIR
set -uo pipefail
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '#!/bin/sh\necho "Segmentation fault" >&2\nexit 139\n' > "$work/crashing-tidy"
chmod +x "$work/crashing-tidy"

failures=0
expect_failure() {
  local what=$1; shift
  if env "$@" TIDY_BUILD="$work/build" "$source_dir/scripts/tidy.sh" > "$work/out.txt" 2>&1; then
    echo "tidy.sh passed with $what:"; cat "$work/out.txt"
    failures=$((failures + 1))
  elif ! grep -q "clang-tidy:" "$work/out.txt"; then
    echo "tidy.sh failed with $what without saying why:"; cat "$work/out.txt"
    failures=$((failures + 1))
  fi
}
expect_failure "a missing clang-tidy" CLANG_TIDY="$work/no-such-tidy"
expect_failure "a crashing clang-tidy" CLANG_TIDY="$work/crashing-tidy"
[ "$failures" -eq 0 ] && echo "tidy.sh fails whenever clang-tidy does"
exit "$failures"
