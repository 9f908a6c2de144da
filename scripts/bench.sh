#!/usr/bin/env bash
# The wheel's speed figures, after scripts/build.sh: the full 49-number wheel
# written to a file side by side with the minimal C program that only enumerates
# and writes the same lines, the same wheel with a tight filter configuration,
# then the engine benchmarks and the window's responsiveness.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
runs=${RUNS:-10}

baseline=(build/bench/baseline_enumerate "$work/baseline.TB")
wheel=(build/orvane wheel --pick 1-49 --output "$work/Wheeled.TB")
tight=(build/orvane wheel --pick 1-49 --settings bench/tight.INI --history data/FL6-49.HIT --output "$work/tight.TB")

if command -v hyperfine >/dev/null; then
  hyperfine -N -w 2 -r "$runs" "${baseline[*]}" "${wheel[*]}" "${tight[*]}"
else
  best() { # best wall time in seconds over $runs runs
    local best=999 start end
    for _ in $(seq "$runs"); do
      start=$(date +%s.%N); "$@" >/dev/null; end=$(date +%s.%N)
      best=$(awk -v s="$start" -v e="$end" -v b="$best" 'BEGIN { t = e - s; print (t < b) ? t : b }')
    done
    echo "$best"
  }
  b=$(best "${baseline[@]}"); w=$(best "${wheel[@]}"); t=$(best "${tight[@]}")
  printf 'C baseline %.3f s, default wheel %.3f s (ratio %.2f, limit 1.50), tight wheel %.3f s\n' \
    "$b" "$w" "$(awk -v w="$w" -v b="$b" 'BEGIN { print w / b }')" "$t"
fi
cmp -s "$work/baseline.TB" "$work/Wheeled.TB" && echo "default wheel output: identical to the baseline's"
"${tight[@]}"
build/bench/wheel_bench
QT_QPA_PLATFORM=offscreen build/bench/window_responsiveness
