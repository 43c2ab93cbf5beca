#!/usr/bin/env bash
# bench/reader_start_up.sh BUILD_DIR [OTHER_LIBRARY]: the reader's start-up (load, start-up status
# call, an option read), 200 runs each, without a speech server or a log; then the same followed
# by the first headword guide. With OTHER_LIBRARY (a libvoxausr.so built elsewhere, say from an
# earlier commit) is measured the same way for comparison. Prints the median and the
# 90th percentile in microseconds.
set -euo pipefail
build=${1:?usage: bench/reader_start_up.sh BUILD_DIR [OTHER_LIBRARY]}
other=${2:-}
tool=$build/bin/reader_start_up
[ -x "$tool" ] || { echo "no $tool: cmake --build $build --target reader_start_up" >&2; exit 1; }
export SPEECHD_ADDRESS=unix_socket:/nonexistent/speechd.sock
unset VOXA_LOG
measure() {
  local label=$1; shift
  for _ in $(seq 200); do "$tool" "$@"; done | sort -n |
    awk -v label="$label" '{a[NR]=$1} END {printf "%-40s median %d us, 90%% %d us\n", label, a[int(NR/2)], a[int(NR*0.9)]}'
}
measure "start-up" "$build/bin/libvoxausr.so"
measure "start-up and first headword guide" "$build/bin/libvoxausr.so" guide
if [ -n "$other" ]; then
  measure "start-up, other library" "$other"
  measure "start-up and first headword guide, other" "$other" guide
fi
