#!/usr/bin/env bash
# Runs a Windows test program under Wine at 144 DPI, in a prefix of its own
# beside the build's shared one: made on first use, its screen set to 144
# pixels per inch. Needs a display (xvfb-run), as the other Wine tests do.
# Usage: high-dpi.sh PROGRAM [ARGUMENTS...]
set -euo pipefail
top="$(cd "$(dirname "$0")/../.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-$top/build/wineprefix}-144dpi" WINEDEBUG="${WINEDEBUG:--all}"
trap 'wineserver -k 2>/dev/null || true' EXIT  # this prefix's server only

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  WINEDLLOVERRIDES="mscoree=;mshtml=" wine wineboot -i >/dev/null 2>&1
fi
bash "$top/tools/wine-prefix-gui.sh"
key='HKCU\Control Panel\Desktop'
if ! wine reg query "$key" /v LogPixels 2>/dev/null | grep -qi 'REG_DWORD[[:space:]]*0x90'; then
  wine reg add "$key" /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
  wineserver -w
fi
wine "$@"
