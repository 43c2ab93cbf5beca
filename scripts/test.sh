#!/usr/bin/env bash
# Installs, builds, and runs the whole test suite: the normal build, then the whole suite again
# built with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
# Everything, including the tests and benchmarks that scripts/run.sh left out; what it built is
# reused.
unset LEXIV_BUILD_TARGET
scripts/setup.sh build
ctest --test-dir build --output-on-failure -j"$jobs"
scripts/setup.sh build-sanitize -DLEXIV_SANITIZE=ON -DLEXIV_BUILD_BENCH=OFF
# The speech server's client library keeps a few allocations for the life of the process; the
# suppressions name only that library and GLib, so a leak of ours still fails.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  LSAN_OPTIONS=suppressions=$PWD/scripts/lsan-suppressions.txt \
  ctest --test-dir build-sanitize --output-on-failure -j"$jobs"
