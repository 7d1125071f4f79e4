#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz": clang with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for SECONDS (default 30), two at
# a time, starting from its committed seeds and regressions.
#
#   bash tools/fuzz.sh [SECONDS] [TARGET...]     targets: mp3 color markup settings display
#
# New inputs go to build/fuzz/found/TARGET (kept between runs, so a longer
# run by hand carries on from there); the committed seeds are only read. An
# input that breaks a target is kept as build/fuzz/artifacts/TARGET-crash-...
# and fails the run; see the end of the run's output for what to do with it.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-30}
shift $(( $# > 0 ? 1 : 0 ))
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(mp3 color markup settings display)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

out=build/fuzz
mkdir -p "$out/artifacts"

fuzz_one() {  # fuzz_one TARGET: runs it, logs to build/fuzz/TARGET.log
  local target=$1 corpora=("$out/found/$1")
  mkdir -p "$out/found/$target"
  for folder in "tests/fuzz/corpus/$target" "tests/fuzz/regressions/$target"; do
    [ -d "$folder" ] && corpora+=("$folder")
  done
  if "$out/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -max_len=4096 -len_control=20 \
       -dict="tests/fuzz/dict/$target.dict" -artifact_prefix="$out/artifacts/$target-" \
       -print_final_stats=1 "${corpora[@]}" >"$out/$target.log" 2>&1; then
    echo "fuzz $target: ok, $(grep -o 'stat::number_of_executed_units: [0-9]*' "$out/$target.log" | grep -o '[0-9]*$') runs in ${seconds} s"
  else
    echo "fuzz $target: FAILED (log: $out/$target.log)"
    grep -v -e '^#[0-9]' -e '^INFO:' "$out/$target.log" | tail -n 40
    return 1
  fi
}
export -f fuzz_one
export out seconds

# Two cores: two fuzzers at a time.
if ! printf '%s\n' "${targets[@]}" | xargs -P 2 -I{} bash -c 'fuzz_one {}'; then
  cat <<'HELP'
A fuzz target failed. Minimise the input it kept, then keep the small one as a
regression case (the native test suite replays every file there):
  build/fuzz/tests/fuzz/fuzz_TARGET -minimize_crash=1 -max_total_time=60 \
      -exact_artifact_path=tests/fuzz/regressions/TARGET/NAME build/fuzz/artifacts/TARGET-crash-...
HELP
  exit 1
fi
