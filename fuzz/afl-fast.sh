#!/usr/bin/env bash
# fuzz/afl-fast.sh TARGET SECONDS: fuzzes TARGET (engine_fuzz, text_fuzz or kanji_table_fuzz; the
# platform targets work too, but fuzz/libfuzzer.sh runs them faster) with AFL++ and no sanitizers,
# then replays everything the run kept (its queue, crashes and hangs) through a build with
# AddressSanitizer and UndefinedBehaviorSanitizer. Exits non-zero when either finds something.
#
# Why two builds: afl-g++'s assembler instrumentation (Debian's GCC refuses AFL++'s plugin) runs
# one process per input, and a sanitizer build spends most of each run mapping its shadow memory
# and forking a large process; without sanitizers the same target runs about ten times as many
# inputs. A fault the fuzzer reached without crashing is caught by the sanitizer replay instead.
#
# The corpus lives in fuzz/out-fast-TARGET/corpus/ and grows from run to run: each run starts
# from the previous run's corpus (or from the seeds and past findings the first time).
# The fuzzer runs niced on one core: LEXIV_FUZZ_CPU (default: the last core).
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?usage: fuzz/afl-fast.sh TARGET SECONDS}
seconds=${2:?usage: fuzz/afl-fast.sh TARGET SECONDS}
fast=build-fuzz-afl-fast
replay=build-fuzz-replay
case "$target" in
  engine_fuzz) seeds=$fast/fuzz-seeds/engine; regressions=fuzz/regressions/engine ;;
  text_fuzz) seeds=$fast/fuzz-seeds/text; regressions=fuzz/regressions/text ;;
  kanji_table_fuzz) seeds=$fast/fuzz-seeds/kanji; regressions=fuzz/regressions/kanji ;;
  hive_fuzz) seeds=fuzz/seeds/hive; regressions=fuzz/regressions/hive ;;
  profile_fuzz) seeds=fuzz/seeds/profile; regressions=fuzz/regressions/profile ;;
  terminal_input_fuzz) seeds=fuzz/seeds/terminal; regressions=fuzz/regressions/terminal ;;
  *) echo "unknown target $target (engine_fuzz, text_fuzz, kanji_table_fuzz, hive_fuzz, profile_fuzz or terminal_input_fuzz)" >&2; exit 1 ;;
esac
cpu=${LEXIV_FUZZ_CPU:-$(($(nproc) - 1))}
scripts/install-packages.sh g++ cmake make libgtest-dev libgmock-dev afl++

echo "building $target without sanitizers ($fast) and with them ($replay)"
cmake -S . -B "$fast" -DCMAKE_CXX_COMPILER=afl-g++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLEXIV_BUILD_BENCH=OFF >/dev/null
AFL_QUIET=1 nice -n 19 cmake --build "$fast" -j1 --target "$target" fuzz_seeds kanji_fuzz_seeds >/dev/null
cmake -S . -B "$replay" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLEXIV_SANITIZE=ON -DLEXIV_BUILD_BENCH=OFF >/dev/null
nice -n 19 cmake --build "$replay" -j1 --target "$target" >/dev/null

out=fuzz/out-fast-$target
mkdir -p "$out/corpus"
# The previous run's queue joins the corpus; the first run starts from the seeds and findings.
if [ -d "$out/afl/default/queue" ]; then
  find "$out/afl/default/queue" -maxdepth 1 -type f -name 'id:*' -exec cp -n -t "$out/corpus" {} +
fi
if [ -z "$(ls -A "$out/corpus")" ]; then
  cp -n "$seeds"/* "$out/corpus/"
  [ -d "$regressions" ] && find "$regressions" -type f -exec cp -n -t "$out/corpus" {} +
fi
rm -rf "$out/afl"

export AFL_QUIET=1 AFL_SKIP_CPUFREQ=1 AFL_I_DONT_CARE_ABOUT_MISSING_CRASHES=1 AFL_NO_UI=1 AFL_NO_AFFINITY=1
export LEXIV_FUZZ_DICT="$PWD/$fast/bin/Dic/Yomigo/"
# Each input is written to a file for the target to read: in memory, not on the disk.
if [ -d /dev/shm ]; then
  export AFL_TMPDIR=$(mktemp -d /dev/shm/lexiv-afl-XXXXXX)
  trap 'rm -rf "$AFL_TMPDIR"' EXIT
fi
echo "fuzzing $target for ${seconds}s on core $cpu from $(ls "$out/corpus" | wc -l) inputs"
nice -n 19 taskset -c "$cpu" afl-fuzz -i "$out/corpus" -o "$out/afl" -V "$seconds" -t 1000 -m none \
  -- "$fast/bin/$target" @@ > "$out.log" 2>&1 || { tail -n 20 "$out.log"; exit 1; }

stats=$out/afl/default/fuzzer_stats
stat() { awk -F: -v k="$1" '$1 ~ "^"k" *$" {gsub(/ /,"",$2); print $2}' "$stats"; }
count() { find "$1" -type f -name 'id:*' 2>/dev/null | wc -l; }
crashes=$(count "$out/afl/default/crashes")
hangs=$(count "$out/afl/default/hangs")
echo "$target: $(stat execs_done) executions in ${seconds}s ($(stat execs_per_sec)/s), $(stat corpus_count) corpus entries," \
  "$(stat edges_found) edges, $crashes crashes, $hangs hangs"

# The sanitizer build replays every input the run kept; a report names the input at fault.
status=0
inputs=$(mktemp -d)
trap 'rm -rf "$inputs" "${AFL_TMPDIR:-}"' EXIT
find "$out/afl/default/queue" "$out/afl/default/crashes" "$out/afl/default/hangs" -maxdepth 1 -type f -name 'id:*' \
  -exec cp -t "$inputs" {} +
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
if ! nice -n 19 taskset -c "$cpu" timeout 1800 "$replay/bin/$target" "$inputs" > "$out.replay.log" 2>&1; then
  status=1
  for f in "$inputs"/*; do
    timeout 10 "$replay/bin/$target" "$f" >/dev/null 2>&1 || echo "sanitizer replay fails on $(basename "$f")"
  done
else
  echo "sanitizer replay: $(tail -n 1 "$out.replay.log")"
fi
[ "$crashes" -eq 0 ] && [ "$hangs" -eq 0 ] && [ "$status" -eq 0 ]
