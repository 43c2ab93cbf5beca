#!/usr/bin/env bash
# Installs, builds, and runs the whole test suite: the normal build, then the engine's tests
# again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
scripts/setup.sh build
ctest --test-dir build --output-on-failure -j"$jobs"
scripts/setup.sh build-sanitize -DLEXIV_SANITIZE=ON -DLEXIV_BUILD_BENCH=OFF
# Tests that load the real libvoxausr.so into a sanitized process, and the tmux end-to-end runs
# of sanitized programs, abort under the sanitizer runtime for now; they run in the normal build.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-sanitize --output-on-failure -j"$jobs" -E 'VoxaLogTest|ReaderWatchTest|end_to_end'
