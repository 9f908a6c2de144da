#!/usr/bin/env bash
# Fails, naming the files, when formatting the C++ sources with .clang-format
# would change any of them. With --fix it formats them in place instead.
#   CLANG_FORMAT   the clang-format to run (clang-format-14, else clang-format)
set -euo pipefail
cd "$(dirname "$0")/.."
format=${CLANG_FORMAT:-$(command -v clang-format-14 || command -v clang-format || true)}
if [ -z "$format" ]; then
  echo "clang-format: not found (scripts/install-deps.sh installs it)" >&2
  exit 1
fi
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = --fix ]; then
  "$format" -i "${files[@]}"
  exit 0
fi
unformatted=()
for file in "${files[@]}"; do
  "$format" --dry-run -Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done
if [ ${#unformatted[@]} -gt 0 ]; then
  printf 'not formatted as .clang-format says: %s\n' "${unformatted[@]}" >&2
  echo "scripts/format-check.sh --fix formats them" >&2
  exit 1
fi
echo "clang-format: all ${#files[@]} files formatted"
