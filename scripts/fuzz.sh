#!/usr/bin/env bash
# Builds the fuzzers in fuzz/ with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz/ and runs each for the given
# number of seconds, as many side by side as there are processors:
#
#   bash scripts/fuzz.sh [SECONDS [TARGET...]]      (default: 16 s, all targets)
#
# The default keeps the whole run of all nine targets near what five took at
# 30 s each, on two processors.
#
# Each target starts from its seeds in fuzz/corpus/TARGET and from what its
# earlier runs found, kept in build-fuzz/corpus/TARGET. An input that breaks
# a target is saved in build-fuzz/artifacts/ and the script fails; replay it
# with build-fuzz/TARGET FILE.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-16}
shift || true
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
  echo "velmar fuzz: SECONDS must be a positive whole number, not: $seconds" >&2
  exit 2
fi

bash "$here/scripts/setup.sh"
build="$here/build-fuzz"
cmake -S "$here" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELMAR_FUZZ=ON -DVELMAR_GUI=OFF -DVELMAR_TESTS=OFF -DVELMAR_BENCH=OFF -DVELMAR_WERROR=ON >/dev/null

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for src in "$here"/fuzz/*_fuzz.cpp; do
    targets+=("$(basename "$src" .cpp)")
  done
fi
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

mkdir -p "$build/artifacts" "$build/logs"
run() {
  local t=$1
  mkdir -p "$build/corpus/$t"
  local rc=0
  # The seeds stay as they are: new inputs go to the first folder only.
  "$build/$t" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$build/artifacts/$t-" "$build/corpus/$t" "$here/fuzz/corpus/$t" \
    >"$build/logs/$t.log" 2>&1 || rc=$?
  echo "$rc" >"$build/logs/$t.rc"
}

for t in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$(nproc)" ]; do wait -n || true; done
  run "$t" &
done
wait

failed=0
for t in "${targets[@]}"; do
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$build/logs/$t.log" | tail -n 1)
  rc=$(cat "$build/logs/$t.rc")
  if [ "$rc" -eq 0 ]; then
    echo "velmar fuzz: $t: ${runs:-?} runs in ${seconds} s, nothing found"
  else
    failed=1
    echo "velmar fuzz: $t FAILED (exit $rc) after ${runs:-?} runs; log: $build/logs/$t.log" >&2
    grep -E "ERROR|runtime error|promise broken|Test unit written" "$build/logs/$t.log" >&2 || true
  fi
done
exit "$failed"
