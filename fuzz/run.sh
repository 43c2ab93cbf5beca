#!/usr/bin/env bash
# fuzz/run.sh TARGET SECONDS: builds TARGET (engine_fuzz, text_fuzz, kanji_table_fuzz, hive_fuzz,
# profile_fuzz or terminal_input_fuzz) with
# AFL++'s instrumenting GCC wrapper and AddressSanitizer/UndefinedBehaviorSanitizer, fuzzes it for
# SECONDS from the seeds, and exits non-zero when the run found a crash or a hang. Findings stay in fuzz/out-TARGET/default/.
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?usage: fuzz/run.sh TARGET SECONDS}
seconds=${2:?usage: fuzz/run.sh TARGET SECONDS}
build=build-fuzz-afl
case "$target" in
  engine_fuzz) seeds=$build/fuzz-seeds/engine ;;
  text_fuzz) seeds=$build/fuzz-seeds/text ;;
  kanji_table_fuzz) seeds=$build/fuzz-seeds/kanji ;;
  hive_fuzz) seeds=fuzz/seeds/hive ;;
  profile_fuzz) seeds=fuzz/seeds/profile ;;
  terminal_input_fuzz) seeds=fuzz/seeds/terminal ;;
  *) echo "unknown target $target (engine_fuzz, text_fuzz, kanji_table_fuzz, hive_fuzz, profile_fuzz or terminal_input_fuzz)" >&2; exit 1 ;;
esac
scripts/install-packages.sh g++ cmake make libgtest-dev libgmock-dev afl++
# afl-g++-fast's GCC plugin refuses Debian's point-release GCC ("incompatible versions"), so the
# targets use afl-g++'s assembler instrumentation and run one input file per execution.

cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=afl-g++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLEXIV_SANITIZE=ON -DLEXIV_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target "$target" fuzz_seeds kanji_fuzz_seeds >/dev/null

out=fuzz/out-$target
rm -rf "$out"
export AFL_QUIET=1 AFL_SKIP_CPUFREQ=1 AFL_I_DONT_CARE_ABOUT_MISSING_CRASHES=1 AFL_NO_UI=1 AFL_NO_AFFINITY=1
export LEXIV_FUZZ_DICT="$PWD/$build/bin/Dic/Yomigo/"
afl-fuzz -i "$seeds" -o "$out" -V "$seconds" -t 2000 -m none -- "$build/bin/$target" @@ \
  > "$out.log" 2>&1 || { tail -n 20 "$out.log"; exit 1; }

count() { find "$1" -type f ! -name README.txt 2>/dev/null | wc -l; }
crashes=$(count "$out/default/crashes")
hangs=$(count "$out/default/hangs")
execs=$(awk -F: '/^execs_done/{gsub(/ /,"",$2); print $2}' "$out/default/fuzzer_stats")
echo "$target: $execs executions in ${seconds}s, $crashes crashes, $hangs hangs (findings in $out/default)"
[ "$crashes" -eq 0 ] && [ "$hangs" -eq 0 ]
