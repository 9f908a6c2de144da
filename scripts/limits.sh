#!/usr/bin/env bash
# The program's readers at the sizes users can reach, after scripts/build.sh:
# a history of 100,000 draws, the numbered wheel output of all 13,983,816 sets,
# settings files of 10 MB of garbage and a pool file of 10,000 numbers. Each
# file goes through every reader that takes it (the command line where one
# exists, build/bench/limits_bench for the window-only readers), and each case
# prints its time, its peak memory and what it said. The files are made on
# /dev/shm (about 400 MB) and removed at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
orvane=$PWD/build/orvane
bench=$PWD/build/bench/limits_bench
for tool in "$orvane" "$bench"; do
  [[ -x $tool ]] || { echo "missing $tool: build it first (cmake --build build --target orvane limits_bench)" >&2; exit 1; }
done
[[ -x /usr/bin/time ]] || { echo "needs GNU time (/usr/bin/time, Debian package 'time')" >&2; exit 1; }

work=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

# Runs one case: its name, then the command. Prints the wall time, the peak
# resident memory, the exit status and the first lines of what it said.
run() {
  local name=$1; shift
  local status=0
  /usr/bin/time -v -o "$work/time" "$@" >"$work/out" 2>"$work/err" || status=$?
  local wall rss
  wall=$(awk -F': ' '/Elapsed \(wall clock\)/ { print $2 }' "$work/time")
  rss=$(awk -F': ' '/Maximum resident set size/ { printf "%.1f", $2 / 1024 }' "$work/time")
  printf '%-44s %10s %8s MB  exit %d\n' "$name" "$wall" "$rss" "$status"
  { head -c 400 "$work/out" | head -n 4; head -c 400 "$work/err" | head -n 3; } | cut -c 1-200 |
    LC_ALL=C tr -c '[:print:]\n' '?' | sed 's/^/    /'
}

# --- the inputs ---
echo "making the inputs in $work"
# 100,000 draws on consecutive days from the sample's first date, each the
# sample's draws in turn with every number shifted by the round (mod 49), so
# each record is six different numbers from 1 to 49 in ascending order, MMDDYY.
history=$work/history-100k.HIT
awk -v draws=100000 '
  BEGIN { RS = "\r?\n"; split("31 28 31 30 31 30 31 31 30 31 30 31", days, " ") }
  NF == 7 { n++; for (k = 1; k <= 6; k++) real[n, k] = $(k + 1) }
  END {
    d = 7; m = 5; y = 1988
    for (i = 0; i < draws; i++) {
      r = i % n + 1; shift = int(i / n) % 49
      for (k = 1; k <= 6; k++) v[k] = (real[r, k] - 1 + shift) % 49 + 1
      for (a = 2; a <= 6; a++) for (b = a; b > 1 && v[b - 1] > v[b]; b--) { t = v[b]; v[b] = v[b - 1]; v[b - 1] = t }
      printf "%02d%02d%02d ", m, d, y % 100
      for (k = 1; k <= 6; k++) printf " %02d", v[k]
      printf "\r\n"
      leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0
      if (++d > days[m] + (m == 2 && leap)) { d = 1; if (++m > 12) { m = 1; y++ } }
    }
  }' data/FL6-49.HIT >"$history"
wheel=$work/Wheeled-numbered.TB
"$orvane" wheel --pick 1-49 --numbered --output "$wheel" >/dev/null
# Settings: 10 MB of random bytes; 10 MB on one line; a saved file whose
# history path line (13) is 10 MB long.
head -c 10M /dev/urandom >"$work/garbage.INI"
head -c 10M /dev/zero | tr '\0' 'x' >"$work/one-line.INI"
awk 'NR == 13 { printf "%s", "/"; for (i = 0; i < 10485760 / 64; i++) printf "%s", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"; print "\r"; next } { print }' \
  bench/tight.INI >"$work/long-path.INI"
# A Minimum-style pool file of 10,000 numbers, 1 to 49 over and over.
awk 'BEGIN { for (i = 0; i < 10000; i++) printf "%d\r\n", i % 49 + 1 }' >"$work/pool-10k.GR"
ls -l "$work" | awk 'NR > 1 { printf "  %12d  %s\n", $5, $9 }'

echo
printf '%-44s %10s %11s\n' "case" "wall" "peak RSS"
# --- the history of 100,000 draws ---
for caption in "Historic Number Count" "Midpoint Analysis Report" "Span of Set Calculator" "Sum Hits Counter" \
  "Number Lines Calculator" "Evens Signature Calculator" "Sum of Sets Calculator" "Skip/Hit Report" \
  "View & Manipulate History"; do
  run "report \"$caption\" (100k draws)" "$orvane" report "$caption" --history "$history"
done
run "pool T=5 G=10 (100k draws)" "$orvane" pool --trend 5 --groups 10 --size 12 --draws 1 --history "$history"
run "pool T=25000 G=10 (100k draws)" "$orvane" pool --trend 25000 --groups 10 --size 12 --draws 1 --history "$history"
run "backtest tight.INI (100k draws)" "$orvane" backtest --settings bench/tight.INI --history "$history"
# The filter against history at a limit of 5: no draw fails it, so every draw
# is judged against all the draws before it.
sed '127s/^[^\r]*/5/' bench/tight.INI >"$work/limit5.INI"
run "backtest limit 5 (100k draws)" "$orvane" backtest --settings "$work/limit5.INI" --history "$history"
run "backtest window limit 5 (100k draws)" "$bench" backtest "$history" "$work/limit5.INI"
run "wheel 1-49 limit 5 (100k draws)" "$orvane" wheel --pick 1-49 --settings "$work/limit5.INI" --history "$history" --output "$work/tight.TB"
run "backtest tight.INI --last 599 (100k draws)" "$orvane" backtest --settings bench/tight.INI --history "$history" --last 599
run "wheel 1-49 tight.INI (100k draws)" "$orvane" wheel --pick 1-49 --settings bench/tight.INI --history "$history" --output "$work/tight.TB"
cp "$history" "$work/record.HIT"
run "record one draw (100k draws)" "$orvane" record --history "$work/record.HIT" 01 01 49 01 02 03 04 05 06
head -n 600 "$history" >"$work/import.csv"
cp "$history" "$work/import.HIT"
run "import 600 draws it holds (100k draws)" "$orvane" import "$work/import.csv" --history "$work/import.HIT"

# --- the numbered wheel output of every set ---
run "check (13,983,816 numbered lines)" "$orvane" check --winning 3,11,24,30,41,49 --output "$wheel"
run "win checker window (13,983,816 lines)" "$bench" checker "$wheel"
run "output viewer window (13,983,816 lines)" "$bench" viewer "$wheel"
run "report viewer (13,983,816 lines)" "$orvane" report "View & Manipulate Output File" --output "$wheel"

# --- settings files of 10 MB ---
for file in garbage one-line long-path; do
  run "wheel --settings $file.INI" "$orvane" wheel --pick 1-7 --settings "$work/$file.INI" --output "$work/s.TB"
  run "backtest --settings $file.INI" "$orvane" backtest --settings "$work/$file.INI" --history data/FL6-49.HIT
  run "settings restore window ($file.INI)" "$bench" settings "$work/$file.INI"
done

# --- the pool file of 10,000 numbers ---
run "load picks window (10,000 numbers)" "$bench" picks "$work/pool-10k.GR"
