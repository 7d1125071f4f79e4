#!/usr/bin/env bash
# Builds the two Windows programs (i686, the shipped one, and x86_64) and runs
# their tests under Wine, in one shared Wine prefix. Run it inside a display:
#   xvfb-run -a bash tools/test-windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."

export WINEPREFIX="$PWD/build/wineprefix" WINEDEBUG=-all
trap 'wineserver -k 2>/dev/null || true' EXIT
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  # No prompts to install .NET or HTML support: nothing here needs them.
  WINEDLLOVERRIDES="mscoree=;mshtml=" wine wineboot -i >/dev/null 2>&1
fi

for preset in win32 win64; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
