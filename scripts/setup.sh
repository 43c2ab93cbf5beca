#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian machine, then configures and builds.
# Usage: scripts/setup.sh [BUILD_DIR [extra cmake options...]]
# With LEXIV_BUILD_TARGET set, builds only that target (scripts/run.sh: lexiv_programs, the
# programs and what they load), else everything.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages.sh g++ cmake make pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
  libncurses-dev libspeechd-dev libbrlapi-dev tmux kanjidic

build_dir=${1:-build}
shift || true
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build_dir" -j"$(nproc)" ${LEXIV_BUILD_TARGET:+--target "$LEXIV_BUILD_TARGET"}
