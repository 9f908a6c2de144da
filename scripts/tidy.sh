#!/usr/bin/env bash
# Runs clang-tidy with the checks of .clang-tidy over every source file of
# src/; any finding fails the run, and so does a clang-tidy that is missing,
# crashes or cannot read a file. The files are read through unity files of up
# to 16 sources each: the checks spend most of their time on the library
# headers, which a unity file parses once for all its sources.
#   CLANG_TIDY   the clang-tidy to run (clang-tidy)
#   TIDY_BUILD   the build folder it reads the compile commands of (build-tidy)
set -euo pipefail
cd "$(dirname "$0")/.."
tidy=${CLANG_TIDY:-clang-tidy}
build=${TIDY_BUILD:-build-tidy}
if ! command -v "$tidy" >/dev/null; then
  echo "clang-tidy: $tidy was not found (scripts/install-deps.sh installs it)" >&2
  exit 1
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
      -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON -DCMAKE_UNITY_BUILD=ON \
      -DCMAKE_UNITY_BUILD_BATCH_SIZE=16 -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DORVANE_BUILD_TESTS=OFF -DORVANE_BUILD_BENCHMARKS=OFF >/dev/null
python3 - "$build" > "$build/files.txt" <<'PY'
import json, os, sys
build = os.path.abspath(sys.argv[1]) + os.sep
for entry in json.load(open(os.path.join(build, "compile_commands.json"))):
    name = entry["file"]
    if "/src/" in name and not name.startswith(build) or "/Unity/" in name:
        print(name)
PY
files=$(wc -l < "$build/files.txt")
if [ "$files" -eq 0 ]; then
  echo "clang-tidy: no source file to check" >&2
  exit 1
fi
log=$build/findings.txt
errors=$build/stderr.txt
status=0
xargs -P 2 -n 1 "$tidy" -p "$build" --quiet < "$build/files.txt" > "$log" 2> "$errors" || status=$?
if grep -q -E "(warning|error):" "$log"; then
  cat "$log"
  echo "clang-tidy: $(grep -c -E '(warning|error):' "$log") findings"
  exit 1
fi
if [ "$status" -ne 0 ]; then
  # Its summary lines ("N warnings generated") are no failure; anything else is shown.
  grep -v -E '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$|^Suppressed [0-9]+ warnings|^Use -header-filter|^$' "$errors" >&2 || true
  echo "clang-tidy: failed with status $status" >&2
  exit 1
fi
echo "clang-tidy: no findings in $files files"
