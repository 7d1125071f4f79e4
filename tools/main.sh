#!/usr/bin/env bash
# Builds Lanternfly natively and shows its main job on a simulated desktop: a
# player plays two songs, two chat rooms are open, and the program's logic
# announces each song; every line a room received is printed.
#   bash tools/main.sh
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
cmake --preset native >/dev/null
cmake --build --preset native --target lanternfly-cli >/dev/null
exec build/native/src/lanternfly-cli demo
