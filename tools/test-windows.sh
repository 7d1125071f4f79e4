#!/usr/bin/env bash
# Builds the two Windows programs (i686, the shipped one, and x86_64) and runs
# their tests under Wine, in one shared Wine prefix. Run it inside a display:
#   xvfb-run -a bash tools/test-windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."

# The second run, as on a Japanese system, needs the locale tools/setup.sh makes.
locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8' ||
  echo "No ja_JP.UTF-8 locale (bash tools/setup.sh makes it): the Japanese tests will fail." >&2

export WINEPREFIX="$PWD/build/wineprefix" WINEDEBUG=-all
trap 'wineserver -k 2>/dev/null || true' EXIT
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  # No prompts to install .NET or HTML support: nothing here needs them.
  WINEDLLOVERRIDES="mscoree=;mshtml=" wine wineboot -i >/dev/null 2>&1
fi
# Fonts and window frames for the pictures of the program's own controls.
bash tools/wine-prefix-gui.sh

for preset in win32 win64; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
