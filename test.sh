#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
# With CI set, the suites are built with AddressSanitizer and UBSan.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh

if [ -n "${CI:-}" ] || [ -n "${LHT_SANITIZE:-}" ]; then
  BUILD_DIR=build-sanitize
  SANITIZE=ON
else
  BUILD_DIR=build
  SANITIZE=OFF
fi

# CI builds no benchmarks: they print figures and check nothing, and the
# normal build keeps them compiling.
BENCH=ON
[ -n "${CI:-}" ] && BENCH=OFF

cmake -S . -B "$BUILD_DIR" -G Ninja -DLHT_SANITIZE="$SANITIZE" -DLHT_BUILD_TESTS=ON -DLHT_BUILD_BENCH="$BENCH" >/dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)"

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp:print_suppressions=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
if [ "$SANITIZE" = ON ]; then
  # LeakSanitizer stops every thread to scan them as a test ends; llvmpipe's
  # rasteriser threads can be caught half way out and crash its tracer (a
  # passing GL test then reports failure). Draw on the test thread alone.
  export LP_NUM_THREADS="${LP_NUM_THREADS:-0}"
fi
# Each GoogleTest suite runs in a process of its own (cmake/LhtSuiteTests.cmake)
# and leaves its results in test-results/, summed up after the run.
rm -rf "$BUILD_DIR/test-results"
status=0
(cd "$BUILD_DIR" && ctest --output-on-failure -j"$(nproc)") || status=$?
./scripts/test-summary.sh "$BUILD_DIR/test-results"
exit "$status"
