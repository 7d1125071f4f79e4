#!/usr/bin/env bash
# The Wine half of tools/main.sh, run inside a display: a demo desktop of fake
# programs (a Winamp that plays two songs one after the other, a WinMX room
# and a Metis room) and Lanternfly.exe in a fresh folder beside them.
#   bash tools/demo/run-demo.sh watch   the user answers, watches and closes
#   bash tools/demo/run-demo.sh auto    answers the notice, waits for both
#                                       songs, prints what the rooms received,
#                                       takes pictures and closes Lanternfly
# LANTERNFLY_DEMO_BUILD (default build/win32) is the build it runs from,
# LANTERNFLY_DEMO_PREFIX (default build/wineprefix) its Wine prefix.
set -euo pipefail
cd "$(dirname "$0")/../.."
mode=${1:?usage: run-demo.sh watch|auto}

build=$(realpath "${LANTERNFLY_DEMO_BUILD:-build/win32}")
export WINEPREFIX=$(realpath -m "${LANTERNFLY_DEMO_PREFIX:-build/wineprefix}") WINEDEBUG=-all
run=$PWD/build/demo
shots=$PWD/build/screenshots
demo=$build/tools/demo/lanternfly-demo.exe
fakes=$build/tests/win32/lanternfly-fakes.exe
caption="Lanternfly v3.0.1 - Made by Tindervale"
timeout=60  # seconds for both songs to reach both rooms

pids=()
lanternfly=
finish() {
  status=$?
  [ -z "$lanternfly" ] || kill "$lanternfly" 2>/dev/null || true
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wineserver -k 2>/dev/null || true
  exit "$status"
}
trap finish EXIT
trap 'exit 130' INT TERM

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Making the Wine prefix $WINEPREFIX (once, about 20 s)"
  mkdir -p "$WINEPREFIX"
  WINEDLLOVERRIDES="mscoree=;mshtml=" wine wineboot -i >/dev/null 2>&1
fi
bash tools/wine-prefix-gui.sh
if [ "$mode" = watch ]; then
  # On a real desktop the window manager frames and moves the windows.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d Y /f >/dev/null 2>&1
  wineserver -w
fi

# A fresh folder: Lanternfly finds no settings.ini beside it and says so.
rm -rf "$run"
mkdir -p "$run/Lanternfly" "$run/Music" "$shots"
cp "$build/src/Lanternfly.exe" "$run/Lanternfly/"
cp tests/metadata/fixtures/tagged-v1v2.mp3 "$run/Music/01 Lanterns Over the Bay.mp3"
cp tests/metadata/fixtures/cbr128-info.mp3 "$run/Music/02 Glow.mp3"

# Starts a fake and waits until its windows exist; it logs each line a room sends.
start_fake() {
  local name=$1
  shift
  wine "$fakes" "$@" --ready "Z:$run/$name.ready" --log "Z:$run/$name.log" >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 300); do
    [ -f "$run/$name.ready" ] && return 0
    sleep 0.1
  done
  echo "The fake $name did not start" >&2
  exit 1
}
start_fake winamp winamp --title "1. Nightjar Radio - Lanterns Over the Bay - Winamp" \
  --path "Z:$run/Music/01 Lanterns Over the Bay.mp3" --length 245 --position 0 --list 2 --pos 0 \
  --next-title "2. Moth Orchestra - Glow - Winamp" --next-path "Z:$run/Music/02 Glow.mp3" --after 8000
start_fake winmx chat winmx --room Lobby
start_fake metis chat metis --room Chat
wine "$demo" place "1. Nightjar Radio - Lanterns Over the Bay - Winamp" 560 10 275 116 \
  "WinMX v3.54 beta 4" 560 140 440 240 "Metis 2.84" 560 400 440 300
echo "Rooms on the demo desktop, as Lanternfly lists them:"
wine "$build/src/lanternfly-cli.exe" rooms | sed 's/^/  /'

(cd "$run/Lanternfly" && exec wine Lanternfly.exe) &
lanternfly=$!

print_rooms() {
  wine "$demo" rooms "[WinMX] Lobby" "Z:$run/winmx.log" "[Metis] Chat" "Z:$run/metis.log"
}

if [ "$mode" = watch ]; then
  echo "Lanternfly runs beside a fake Winamp, WinMX and Metis. Answer its notice; the first"
  echo "song is announced in both rooms after about 5 s, the second about 10 s later."
  echo "Close Lanternfly (answer Yes) to end the demo."
  wait "$lanternfly" || true
  lanternfly=
  print_rooms
  exit 0
fi

lines() { if [ -f "$1" ]; then grep -c . "$1" || true; else echo 0; fi; }
# Waits until each room has received `count` lines; fails loudly after the deadline.
wait_for_lines() {
  local count=$1
  while [ "$(lines "$run/winmx.log")" -lt "$count" ] || [ "$(lines "$run/metis.log")" -lt "$count" ]; do
    if [ "$SECONDS" -ge "$deadline" ]; then
      echo "FAILED: after $timeout s the rooms had not received song $count" \
           "(WinMX $(lines "$run/winmx.log") lines, Metis $(lines "$run/metis.log"))" >&2
      xwd -root -silent > "$run/screen.xwd" && convert "xwd:$run/screen.xwd" "$shots/demo-failed.png" &&
        echo "The screen as it was: $shots/demo-failed.png" >&2
      print_rooms >&2
      exit 1
    fi
    sleep 0.5
  done
}

wine "$demo" answer "No Settings Found" OK 60
wine "$demo" place "$caption" 10 60 0 0  # below the tray icon's stand-in window
deadline=$((SECONDS + timeout))
wait_for_lines 1
wine "$demo" screenshot "$caption" "Z:$shots/demo-first-song.bmp"
wait_for_lines 2
wine "$demo" screenshot "$caption" "Z:$shots/demo-second-song.bmp"
xwd -root -silent > "$run/screen.xwd" && convert "xwd:$run/screen.xwd" "$shots/demo-desktop.png"
for shot in demo-first-song demo-second-song; do
  convert "$shots/$shot.bmp" "$shots/$shot.png" && rm "$shots/$shot.bmp"
done
print_rooms
echo
wine "$demo" close "$caption" 30
lanternfly=
if [ -f "$run/Lanternfly/settings.ini" ]; then
  echo "Lanternfly wrote its settings beside itself: $run/Lanternfly/settings.ini"
else
  echo "FAILED: no settings.ini in $run/Lanternfly" >&2
  exit 1
fi
echo "Pictures: $shots/demo-first-song.png, demo-second-song.png, demo-desktop.png"
