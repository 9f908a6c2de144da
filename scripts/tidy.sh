#!/usr/bin/env bash
# Runs clang-tidy with the checks of .clang-tidy over every source file of
# src/; any finding fails the run. The files are read through unity files of
# up to 16 sources each: the checks spend most of their time on the library
# headers, which a unity file parses once for all its sources.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-tidy -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
      -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON -DCMAKE_UNITY_BUILD=ON \
      -DCMAKE_UNITY_BUILD_BATCH_SIZE=16 -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DORVANE_BUILD_TESTS=OFF -DORVANE_BUILD_BENCHMARKS=OFF >/dev/null
python3 - > build-tidy/files.txt <<'PY'
import json
for entry in json.load(open("build-tidy/compile_commands.json")):
    name = entry["file"]
    if "/src/" in name and "/build-tidy/" not in name or "/Unity/" in name:
        print(name)
PY
log=build-tidy/findings.txt
xargs -P 2 -n 1 clang-tidy -p build-tidy --quiet < build-tidy/files.txt > "$log" 2>/dev/null || true
if grep -q -E "(warning|error):" "$log"; then
  cat "$log"
  echo "clang-tidy: $(grep -c -E '(warning|error):' "$log") findings"
  exit 1
fi
echo "clang-tidy: no findings in $(wc -l < build-tidy/files.txt) files"
