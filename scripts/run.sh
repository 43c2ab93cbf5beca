#!/usr/bin/env bash
# Installs, builds, and runs the project's main job: for now a lexiv-query demonstration on the
# sample dictionary (the dictionary program itself comes later).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build
bin=build/bin
demo() { echo "\$ lexiv-query $*"; "$bin/lexiv-query" "$@"; echo; }
demo かな
demo 'あい*'
demo '*こう'
demo --text 漢字を読む
pos=$("$bin/lexiv-query" かな | awk -F'\t' '$1=="hit"{print $2; exit}')
if [ -n "$pos" ]; then demo --entry "$pos"; fi
