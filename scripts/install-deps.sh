#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, where missing.
set -euo pipefail

packages=(cmake ninja-build g++ qt6-base-dev qt6-qpa-plugins libcli11-dev libgtest-dev libgmock-dev
          libbenchmark-dev fonts-dejavu-core qt6-charts-dev
          libqt6opengl6-dev libqt6svg6 clang clang-tidy clang-format libclang-rt-14-dev python3
          fonts-liberation2 locales strace dpkg-dev file desktop-file-utils appstream)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${as_root[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The tests read numbers under a German and a French locale, where a decimal
# comma is the rule; generate them where the machine lacks them.
for name in de_DE fr_FR; do
  locale -a 2>/dev/null | grep -qi "^${name}\.utf-\?8$" || "${as_root[@]}" localedef -i "$name" -c -f UTF-8 "$name.UTF-8"
done
