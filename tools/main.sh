#!/usr/bin/env bash
# Lanternfly's main job, the real program under Wine. Installs what is missing
# (tools/setup.sh), builds Lanternfly.exe (the win32 preset) and starts it in a
# fresh folder beside a demo desktop: a fake Winamp that plays two songs one
# after the other, a WinMX room and a Metis room (tools/demo/run-demo.sh).
#   bash tools/main.sh
# With a display, the windows are yours: answer the notice, watch the songs
# being announced, close Lanternfly (Yes) to end. Without one it runs in a
# virtual display, answers the notice itself, waits for both songs, prints
# every line each room received, saves pictures of the main window in
# build/screenshots/ and ends everything it started.
# LANTERNFLY_DEMO_BUILD and LANTERNFLY_DEMO_PREFIX name another build folder
# and Wine prefix. The simulated demo, without Wine: lanternfly-cli demo.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
export LANTERNFLY_DEMO_BUILD=${LANTERNFLY_DEMO_BUILD:-build/win32}
echo "Building Lanternfly.exe (win32) in $LANTERNFLY_DEMO_BUILD"
cmake --preset win32 -B "$LANTERNFLY_DEMO_BUILD" >/dev/null
if ! cmake --build "$LANTERNFLY_DEMO_BUILD" --target Lanternfly lanternfly-cli lanternfly-fakes lanternfly-demo \
     >"$LANTERNFLY_DEMO_BUILD/demo-build.log" 2>&1; then
  tail -n 40 "$LANTERNFLY_DEMO_BUILD/demo-build.log" >&2
  echo "The build failed; all of it: $LANTERNFLY_DEMO_BUILD/demo-build.log" >&2
  exit 1
fi

if [ -n "${DISPLAY:-}" ]; then
  # A display that answers (an ssh session may name one that is gone).
  if xwd -root -silent >/dev/null 2>&1; then
    exec bash tools/demo/run-demo.sh watch
  fi
  echo "The display $DISPLAY does not answer: running in a virtual one instead."
fi
exec xvfb-run -a -s "-screen 0 1024x768x24" bash tools/demo/run-demo.sh auto
