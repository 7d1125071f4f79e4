#!/usr/bin/env bash
# Runs a Windows program under Wine, in the build's one shared prefix. CTest
# calls it for the Windows builds' tests; it needs a display (xvfb-run).
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-$top/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
exec wine "$@"
