#!/usr/bin/env bash
# Sets up, builds and runs every test (unit, command-line and window tests;
# the window tests on Qt's offscreen platform), three times over:
#   1. the plain build (build/), as the program ships;
#   2. the same tests built with AddressSanitizer and UndefinedBehaviorSanitizer
#      (build-asan/, no benchmark), where any report fails the test;
#   3. each fuzzer in fuzz/ for a few seconds (build-fuzz/, clang).
# Any failure in any stage fails the script.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
started=$SECONDS

stage() {
  echo
  echo "== velmar test: $1 ($((SECONDS - started)) s so far)"
}

bash "$here/scripts/setup.sh"

stage "plain build and tests"
cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMAR_WERROR=ON >/dev/null
cmake --build "$here/build" -j"$jobs"
(cd "$here/build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600 -j"$jobs")

stage "sanitizer build and tests"
# A report ends the process with a status of its own, never 1 or 2, which
# velmar-cli uses for its refusals: a test that expects those cannot pass
# over a report in a child.
cmake -S "$here" -B "$here/build-asan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMAR_WERROR=ON \
  -DVELMAR_SANITIZE=ON -DVELMAR_BENCH=OFF >/dev/null
cmake --build "$here/build-asan" -j"$jobs"
(cd "$here/build-asan" &&
  QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=exitcode=86 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:exitcode=87 \
    ctest --output-on-failure --timeout 600 -j"$jobs")

stage "fuzzers"
bash "$here/scripts/fuzz.sh"

stage "all passed"
