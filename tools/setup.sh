#!/usr/bin/env bash
# Installs, on Debian, whatever building and testing Lanternfly needs and the
# machine lacks: the native tool chain, MinGW-w64 for the Windows builds, and
# Wine (32- and 64-bit) with Xvfb to run them, and the Japanese locale for the
# run as on a Japanese system. Installs nothing when all is there.
set -euo pipefail

packages=(cmake ninja-build g++ libgtest-dev libbenchmark-dev googletest unicode-data clang libclang-rt-14-dev
          g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 wine32:i386 xvfb xauth locales
          fonts-wine fonts-liberation x11-apps imagemagick)

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  # The 32-bit Wine runs the shipped 32-bit program.
  dpkg --print-foreign-architectures | grep -qx i386 || "${as_root[@]}" dpkg --add-architecture i386
  "${as_root[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Wine takes the ANSI code page from the locale: the Windows tests run once
# more as on a Japanese system (code page 932).
if ! locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then
  echo "Generating the locale ja_JP.UTF-8"
  "${as_root[@]}" localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
