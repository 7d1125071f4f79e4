#!/usr/bin/env bash
# Makes the downloads dist/Lanternfly-VERSION-win32.zip and -win64.zip: each
# holds a folder with Lanternfly.exe, lanternfly-cli.exe and README.txt.
#   bash tools/package.sh             builds the win32 and win64 presets first
#   bash tools/package.sh --no-build  packs the builds that are there
# LANTERNFLY_WIN32_BUILD and LANTERNFLY_WIN64_BUILD name other build folders.
set -euo pipefail
cd "$(dirname "$0")/.."

build=yes
case "${1:-}" in
  "") ;;
  --no-build) build=no ;;
  *) echo "usage: bash tools/package.sh [--no-build]" >&2; exit 2 ;;
esac

version=$(sed -n 's/^project(Lanternfly VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "package.sh: no version in CMakeLists.txt" >&2; exit 1; }
# Every file in the archives carries the date of the commit it was built from.
stamp=$(TZ=UTC git log -1 --date=format-local:'%Y-%m-%d %H:%M:%S UTC' --format=%cd 2>/dev/null ||
        date -u '+%Y-%m-%d %H:%M:%S UTC')

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p dist

for preset in win32 win64; do
  case $preset in
    win32) folder=${LANTERNFLY_WIN32_BUILD:-build/win32} machine=i686 format=pei-i386 ;;
    win64) folder=${LANTERNFLY_WIN64_BUILD:-build/win64} machine=x86_64 format=pei-x86-64 ;;
  esac
  if [ $build = yes ]; then
    echo "== building $preset in $folder"
    cmake --preset "$preset" -B "$folder" >/dev/null
    cmake --build "$folder" --target Lanternfly lanternfly-cli
  fi

  name=Lanternfly-$version-$preset
  mkdir -p "$stage/$name"
  for program in Lanternfly.exe lanternfly-cli.exe; do
    if [ ! -f "$folder/src/$program" ]; then
      echo "package.sh: $folder/src/$program is missing: build the $preset preset first (bash tools/package.sh without --no-build)" >&2
      exit 1
    fi
    # A 64-bit program in the 32-bit download (or the other way) is a build folder mixed up.
    if ! "$machine-w64-mingw32-objdump" -f "$folder/src/$program" | grep -q "file format $format"; then
      echo "package.sh: $folder/src/$program is not a $preset program" >&2
      exit 1
    fi
    "$machine-w64-mingw32-strip" -o "$stage/$name/$program" "$folder/src/$program"
  done
  # Windows' own line ends, for Notepad.
  sed 's/$/\r/' tools/package/README.txt > "$stage/$name/README.txt"

  zip=$PWD/dist/$name.zip
  rm -f "$zip"
  (cd "$stage" && cmake -E tar cf "$zip" --format=zip --mtime="$stamp" "$name") || { rm -f "$zip"; exit 1; }
  echo "$zip"
done
