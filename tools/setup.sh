#!/usr/bin/env bash
# Installs, on Debian, whatever building and testing Lanternfly needs and the
# machine lacks. Installs nothing when everything is there.
set -euo pipefail

packages=(cmake ninja-build g++ libgtest-dev libbenchmark-dev)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
"${as_root[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
