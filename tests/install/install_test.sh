#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks that the installed program
# has what it needs and runs from there.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/orvane share/orvane/FL6-49.HIT share/orvane/TIPOFDAY.TXT share/orvane/TB-MANUAL.TXT \
            share/orvane/GR-MANUAL.TXT share/applications/orvane.desktop \
            share/icons/hicolor/scalable/apps/orvane.svg; do
  [ -s "$prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done
grep -qx 'Categories=Game;' "$prefix/share/applications/orvane.desktop" || { echo "desktop entry: no Game category"; exit 1; }
grep -qx 'Exec=orvane' "$prefix/share/applications/orvane.desktop" || { echo "desktop entry: wrong Exec"; exit 1; }

"$prefix/bin/orvane" --version | grep -q '^orvane [0-9]' || { echo "the installed program does not start"; exit 1; }
count=$(HOME="$prefix/home" "$prefix/bin/orvane" report "Historic Number Count" \
          --history "$prefix/share/orvane/FL6-49.HIT" | head -1)
[ "$count" = $'There are currently 599 draws recorded in the history file.\r' ] || { echo "report: $count"; exit 1; }
echo "installed and ran from $prefix"
