#!/usr/bin/env bash
# Runs a Windows test program under Wine at another DPI, in a prefix of its
# own beside the build's shared one (made on first use, its screen set to
# that many pixels per inch), on a display of its own as large in inches as
# the other Wine tests' 1024 x 768 at 96 DPI, so that the biggest window
# still fits on it.
# Usage: high-dpi.sh DPI PROGRAM [ARGUMENTS...]
set -euo pipefail
dpi="${1:?usage: high-dpi.sh DPI PROGRAM [ARGUMENTS...]}"
shift
if [ -z "${LANTERNFLY_SCALED_SCREEN:-}" ]; then
  exec env LANTERNFLY_SCALED_SCREEN=1 xvfb-run -a -s "-screen 0 $((1024 * dpi / 96))x$((768 * dpi / 96))x24" \
    bash "$0" "$dpi" "$@"
fi
top="$(cd "$(dirname "$0")/../.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-$top/build/wineprefix}-${dpi}dpi" WINEDEBUG="${WINEDEBUG:--all}"
trap 'wineserver -k 2>/dev/null || true' EXIT  # this prefix's server only

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  WINEDLLOVERRIDES="mscoree=;mshtml=" wine wineboot -i >/dev/null 2>&1
fi
bash "$top/tools/wine-prefix-gui.sh"
key='HKCU\Control Panel\Desktop'
if ! wine reg query "$key" /v LogPixels 2>/dev/null | grep -qi "REG_DWORD[[:space:]]*$(printf '0x%x' "$dpi")\b"; then
  wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wineserver -w
fi
wine "$@"
