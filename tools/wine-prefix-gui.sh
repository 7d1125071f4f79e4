#!/usr/bin/env bash
# Readies a Wine prefix for pictures of the program's windows, and does
# nothing when it is ready: Wine's own fonts (Tahoma, Wingdings, ...) copied
# into its Fonts folder, which Debian's Wine does not look into by itself, and
# window frames drawn by Wine, since Xvfb runs no window manager (a managed
# window there gets a black frame, and hiding one stalls for seconds).
# Usage: WINEPREFIX=... bash tools/wine-prefix-gui.sh
set -euo pipefail
: "${WINEPREFIX:?set WINEPREFIX to the prefix}"

fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
for font in /usr/share/wine/fonts/*.ttf; do
  [ -e "$font" ] || continue
  cmp -s "$font" "$fonts/${font##*/}" || cp "$font" "$fonts/"
done

key='HKCU\Software\Wine\X11 Driver'
if ! wine reg query "$key" /v Managed 2>/dev/null | grep -q 'REG_SZ[[:space:]]*N'; then
  wine reg add "$key" /v Managed /d N /f >/dev/null 2>&1
  wineserver -w
fi
