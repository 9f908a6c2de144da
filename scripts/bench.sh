#!/usr/bin/env bash
# The wheel's speed figures, after scripts/build.sh: the full 49-number wheel
# written to a file side by side with the minimal C program that only enumerates
# and writes the same lines, the same wheel with a tight filter configuration,
# both again recording nothing, then the engine benchmarks and the window's
# responsiveness.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
runs=${RUNS:-10}

orvane=build/orvane

# Settings files that record nothing: tight.INI with the destination's options
# (lines 17 to 19: disk, printer, nothing) set to nothing, and that copy with
# every filter of tight.INI back at its permissive default (the Ravelin skip,
# evens, sums, difference, last draw, tens, pairs, signatures, positions and
# history lines).
sed '17s/^[^\r]*/False/;19s/^[^\r]*/True/' bench/tight.INI >"$work/tight-nothing.INI"
awk 'BEGIN { ORS = "\r\n" } { sub(/\r$/, "") }
     NR == 22 || NR == 35 || NR == 51 || NR == 55 || NR == 57 || NR == 58 || NR == 126 { $0 = " 0 " }
     (NR >= 23 && NR <= 29) || (NR >= 52 && NR <= 54) { $0 = " 1 " }
     NR == 30 { $0 = "21" } NR == 31 { $0 = "279" } NR == 32 { $0 = "44" }
     NR == 33 || NR == 34 || (NR >= 36 && NR <= 50) || NR == 56 || NR == 127 { $0 = "6" }
     { print }' "$work/tight-nothing.INI" >"$work/default-nothing.INI"

baseline=(build/bench/baseline_enumerate "$work/baseline.TB")
wheel=("$orvane" wheel --pick 1-49 --output "$work/Wheeled.TB")
tight=("$orvane" wheel --pick 1-49 --settings bench/tight.INI --history data/FL6-49.HIT --output "$work/tight.TB")
wheelNothing=("$orvane" wheel --pick 1-49 --settings "$work/default-nothing.INI")
tightNothing=("$orvane" wheel --pick 1-49 --settings "$work/tight-nothing.INI" --history data/FL6-49.HIT)

if command -v hyperfine >/dev/null; then
  hyperfine -N -w 2 -r "$runs" "${baseline[*]}" "${wheel[*]}" "${tight[*]}" "${wheelNothing[*]}" "${tightNothing[*]}"
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
  wn=$(best "${wheelNothing[@]}"); tn=$(best "${tightNothing[@]}")
  printf 'C baseline %.3f s, default wheel %.3f s (ratio %.2f, limit 1.50), tight wheel %.3f s\n' \
    "$b" "$w" "$(awk -v w="$w" -v b="$b" 'BEGIN { print w / b }')" "$t"
  printf 'Recording nothing: default wheel %.3f s, tight wheel %.3f s\n' "$wn" "$tn"
fi
cmp -s "$work/baseline.TB" "$work/Wheeled.TB" && echo "default wheel output: identical to the baseline's"
"${tight[@]}"
"${wheelNothing[@]}"
build/bench/wheel_bench

# orvane check reads what the full wheel wrote: both commands in turns, the file
# on /dev/shm where there is one, the fastest of $runs each.
shm=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
trap 'rm -rf "$work" "$shm"' EXIT
bestWheel=999 bestCheck=999
for _ in $(seq "$runs"); do
  start=$(date +%s.%N); "$orvane" wheel --pick 1-49 --output "$shm/full.TB" >/dev/null; middle=$(date +%s.%N)
  "$orvane" check --winning 3,11,24,30,41,49 --output "$shm/full.TB" >/dev/null; end=$(date +%s.%N)
  bestWheel=$(awk -v s="$start" -v e="$middle" -v b="$bestWheel" 'BEGIN { t = e - s; print (t < b) ? t : b }')
  bestCheck=$(awk -v s="$middle" -v e="$end" -v b="$bestCheck" 'BEGIN { t = e - s; print (t < b) ? t : b }')
done
printf 'orvane wheel writing the full output %.3f s, orvane check reading it %.3f s (ratio %.2f, limit 1.00)\n' \
  "$bestWheel" "$bestCheck" "$(awk -v c="$bestCheck" -v w="$bestWheel" 'BEGIN { print c / w }')"
build/bench/tally_bench
build/bench/report_bench
build/bench/pool_bench
build/bench/backtest_bench
build/bench/cover_bench "${COVER_SECONDS:-60}"
QT_QPA_PLATFORM=offscreen build/bench/window_responsiveness
QT_QPA_PLATFORM=offscreen build/bench/report_window_bench
QT_QPA_PLATFORM=offscreen build/bench/manual_viewer_bench
