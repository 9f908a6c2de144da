#!/usr/bin/env bash
# The wheel's speed figures: the full 49-number wheel written to a file, side by
# side with the minimal C program that only enumerates and writes the same lines,
# then the engine benchmarks. Run after scripts/build.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
runs=${RUNS:-5}

best() { # best wall time in seconds of "$@" over $runs runs
  local best=999
  for _ in $(seq "$runs"); do
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null
    end=$(date +%s.%N)
    best=$(awk -v s="$start" -v e="$end" -v b="$best" 'BEGIN { t = e - s; print (t < b) ? t : b }')
  done
  echo "$best"
}

baseline=$(best build/bench/baseline_enumerate "$work/baseline.TB")
wheel=$(best build/orvane wheel --pick 1-49 --output "$work/Wheeled.TB")
cmp -s "$work/baseline.TB" "$work/Wheeled.TB" && same=identical || same=DIFFERENT
printf 'C baseline, full wheel to file:  %.3f s\n' "$baseline"
printf 'orvane wheel, full wheel to file: %.3f s (%s output)\n' "$wheel" "$same"
awk -v w="$wheel" -v b="$baseline" 'BEGIN { printf "ratio: %.2f (limit 1.50)\n", w / b }'
build/bench/wheel_bench --benchmark_min_time=1
