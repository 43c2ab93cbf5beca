#!/usr/bin/env bash
# Installs, builds, and runs the project's main job: the dictionary program lexiv on the sample
# dictionary, in this terminal. Settings go to ~/.config/lexiv/user.reg (or to $LEXIV_REGISTRY_DIR).
# Without a terminal (or with --demo) it shows lexiv-query searching the sample dictionary instead.
set -euo pipefail
cd "$(dirname "$0")/.."
# Only what runs here: the tests and benchmarks are built by scripts/test.sh, in the same tree.
LEXIV_BUILD_TARGET=lexiv_programs scripts/setup.sh build
bin=build/bin
if [ "${1:-}" != "--demo" ] && [ -t 0 ] && [ -t 1 ]; then
  exec "$bin/lexiv"
fi
demo() { echo "\$ lexiv-query $*"; "$bin/lexiv-query" "$@"; echo; }
demo かな
demo 'あい*'
demo '*こう'
demo --text 漢字を読む
pos=$("$bin/lexiv-query" かな | awk -F'\t' '$1=="hit"{print $2; exit}')
if [ -n "$pos" ]; then demo --entry "$pos"; fi
