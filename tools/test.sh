#!/usr/bin/env bash
# Builds and runs every test: the native build, the same suite under
# AddressSanitizer and UndefinedBehaviorSanitizer, then the Windows builds
# under Wine, then each fuzz target for 30 s. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
for preset in native asan; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
xvfb-run -a -s "-screen 0 1024x768x24" bash tools/test-windows.sh
bash tools/fuzz.sh 30
