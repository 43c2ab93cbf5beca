#!/usr/bin/env bash
# bench/run.sh: installs the EDICT file (Debian's edict package), builds the benchmarks in
# build-bench/, and measures the figures recorded in docs/performance.md: the engine benchmarks,
# compiling the EDICT dictionary, lexiv-query's batch mode and its one-key runs against look, the
# reader's character descriptions
# and start-up, and the time from a key to its speech.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh edict kanjidic libbenchmark-dev bsdextrautils
scripts/setup.sh build-bench >/dev/null
cmake --build build-bench --target engine_bench edict_dictionary reader_bench reader_start_up speech_latency session_bench per_process_timing >/dev/null

echo "== compiling EDICT with lexiv-mkdic"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
/usr/bin/time -f "%e s elapsed, %U s user, %M KiB max resident" \
  build-bench/bin/lexiv-mkdic --edict /usr/share/edict/edict "$out/edict" 2>&1 | grep -E 'imported|elapsed'

echo "== engine benchmarks"
build-bench/bin/engine_bench --benchmark_min_time=1 "$@"

echo "== lexiv-query batch mode"
bench/query_batch.sh build-bench

echo "== lexiv-query one key per process, against look"
bench/query_per_process.sh build-bench

echo "== reader: character descriptions and start-up"
build-bench/bin/reader_bench --benchmark_min_time=1
bench/reader_start_up.sh build-bench

echo "== programs of one session: cross-process sends and the keyboard hook"
build-bench/bin/session_bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true

echo "== from a key to the speech server (about 8 minutes)"
build-bench/bin/speech_latency
