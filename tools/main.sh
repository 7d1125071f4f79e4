#!/usr/bin/env bash
# Builds Lanternfly natively and shows its main job: the display message of a
# fresh setup for a song, coloured, then its preview markup.
#   bash tools/main.sh ["Artist - Song"]
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
cmake --preset native >/dev/null
cmake --build --preset native --target lanternfly-cli >/dev/null
exec build/native/src/lanternfly-cli now-playing "$@"
