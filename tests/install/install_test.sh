#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks that the installed program
# has what it needs and runs from there, with its desktop files valid.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
desktop=share/applications/org.varnel.Orvane.desktop
metainfo=share/metainfo/org.varnel.Orvane.metainfo.xml
for file in bin/orvane share/orvane/FL6-49.HIT share/orvane/TIPOFDAY.TXT share/orvane/TB-MANUAL.TXT \
            share/orvane/GR-MANUAL.TXT share/orvane/GAMES.TXT "$desktop" "$metainfo" \
            share/icons/hicolor/scalable/apps/orvane.svg share/icons/hicolor/48x48/apps/orvane.png \
            share/icons/hicolor/128x128/apps/orvane.png share/mime/packages/orvane.xml \
            share/man/man1/orvane.1.gz share/bash-completion/completions/orvane; do
  [ -s "$prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done
grep -qx 'Categories=Game;' "$prefix/$desktop" || { echo "desktop entry: no Game category"; exit 1; }
grep -qx 'Exec=orvane %f' "$prefix/$desktop" || { echo "desktop entry: wrong Exec"; exit 1; }
grep -qx 'MimeType=application/x-orvane-history;application/x-orvane-wheel;' "$prefix/$desktop" ||
  { echo "desktop entry: no MIME types"; exit 1; }
desktop-file-validate "$prefix/$desktop"
appstreamcli validate --no-net "$prefix/$metainfo" >/dev/null
grep -q 'pattern="\*.HIT"' "$prefix/share/mime/packages/orvane.xml" || { echo "no MIME type for .HIT"; exit 1; }
[ "$(file -b --mime-type "$prefix/share/icons/hicolor/48x48/apps/orvane.png")" = image/png ] || { echo "48 px icon"; exit 1; }

"$prefix/bin/orvane" --version | grep -q '^orvane [0-9]' || { echo "the installed program does not start"; exit 1; }
count=$(HOME="$prefix/home" "$prefix/bin/orvane" report "Historic Number Count" \
          --history "$prefix/share/orvane/FL6-49.HIT" | head -1)
[ "$count" = $'There are currently 599 draws recorded in the history file.\r' ] || { echo "report: $count"; exit 1; }

# The manual page reads as one, and the completion completes.
page=$(zcat "$prefix/share/man/man1/orvane.1.gz")
[[ "$page" == ".TH ORVANE 1 "* ]] || { echo "manual page"; exit 1; }
if command -v man >/dev/null; then
  shown=$(MANWIDTH=80 man -l "$prefix/share/man/man1/orvane.1.gz" 2>/dev/null)
  [[ "$shown" == *"orvane wheel"* ]] || { echo "man does not show the page"; exit 1; }
fi
completions=$(bash -c "source '$prefix/share/bash-completion/completions/orvane'
  COMP_WORDS=(orvane wh); COMP_CWORD=1; _orvane; echo \"\${COMPREPLY[*]}\"
  COMP_WORDS=(orvane wheel --pi); COMP_CWORD=2; _orvane; echo \"\${COMPREPLY[*]}\"
  COMP_WORDS=(orvane report '\"Sum'); COMP_CWORD=2; _orvane; echo \"\${COMPREPLY[*]}\"")
[ "$completions" = $'wheel\n--pick\n"Sum Hits Counter" "Sum of Sets Calculator"' ] ||
  { echo "completion: $completions"; exit 1; }
echo "installed and ran from $prefix"
