#!/usr/bin/env bash
# Builds the Debian package into a temporary folder and checks its fields and
# its files with dpkg-deb.
set -euo pipefail
build=$1
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
cpack --config "$build/CPackConfig.cmake" -B "$folder" >/dev/null
deb="$folder/orvane_${version}_amd64.deb"
[ -s "$deb" ] || { echo "no package $deb among: $(ls "$folder")"; exit 1; }

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = orvane ] || { echo "Package: $(field Package)"; exit 1; }
[ "$(field Version)" = "$version" ] || { echo "Version: $(field Version)"; exit 1; }
[ "$(field Architecture)" = amd64 ] || { echo "Architecture: $(field Architecture)"; exit 1; }
[ "$(field Section)" = games ] || { echo "Section: $(field Section)"; exit 1; }
# Each field read whole before it is looked at: a reader that stops early would break the pipe.
maintainer=$(field Maintainer)
[[ "$maintainer" == *"<"*"@"*">" ]] || { echo "Maintainer: $maintainer"; exit 1; }
description=$(field Description)
[[ "$description" == "lotto wheel"* ]] || { echo "Description: $description"; exit 1; }
depends=$(field Depends)
# Found by dpkg-shlibdeps from the program's own libraries, and the ones it loads.
for needed in libqt6widgets6 libqt6gui6 libqt6core6 libqt6printsupport6 libqt6charts6 libc6 libstdc++6 \
              qt6-qpa-plugins libqt6svg6 fonts-dejavu-core; do
  grep -q "$needed" <<<"$depends" || { echo "Depends lacks $needed: $depends"; exit 1; }
done

files=$(dpkg-deb --contents "$deb" | awk '{print $6}')
for file in ./usr/bin/orvane ./usr/share/orvane/FL6-49.HIT ./usr/share/orvane/GAMES.TXT \
            ./usr/share/applications/org.varnel.Orvane.desktop ./usr/share/metainfo/org.varnel.Orvane.metainfo.xml \
            ./usr/share/icons/hicolor/48x48/apps/orvane.png ./usr/share/icons/hicolor/128x128/apps/orvane.png \
            ./usr/share/icons/hicolor/scalable/apps/orvane.svg ./usr/share/mime/packages/orvane.xml \
            ./usr/share/man/man1/orvane.1.gz ./usr/share/bash-completion/completions/orvane; do
  grep -qx -- "$file" <<<"$files" || { echo "the package lacks $file"; exit 1; }
done
echo "$deb: $(field Depends)"
