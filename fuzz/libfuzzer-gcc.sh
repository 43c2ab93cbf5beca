#!/usr/bin/env bash
# fuzz/libfuzzer-gcc.sh TARGET SECONDS: fuzzes a GCC-only target (engine_fuzz, text_fuzz or
# kanji_table_fuzz) in process with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, from its corpus, seeds and past findings, and exits non-zero on a
# finding (written to fuzz/out-TARGET/).
#
# These targets hold program text (Shift-JIS literals), which only GCC compiles, and Debian's GCC
# refuses AFL++'s plugin. GCC can still report every basic block (-fsanitize-coverage=trace-pc);
# fuzz/coverage_counters.cpp turns those reports into the extra counters libFuzzer reads, and the
# targets link libFuzzer's archive (its own trace-pc handler, which only says the mode is no
# longer supported, made weak in a copy). In process, a target runs thousands of inputs a second
# with the sanitizers on, against one process per input for fuzz/run.sh.
# The fuzzer runs niced on one core: LEXIV_FUZZ_CPU (default: the last core).
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?usage: fuzz/libfuzzer-gcc.sh TARGET SECONDS}
seconds=${2:?usage: fuzz/libfuzzer-gcc.sh TARGET SECONDS}
build=build-libfuzzer-gcc
seeds_build=build-fuzz-replay
case "$target" in
  engine_fuzz) seeds=$seeds_build/fuzz-seeds/engine; regressions=fuzz/regressions/engine ;;
  text_fuzz) seeds=$seeds_build/fuzz-seeds/text; regressions=fuzz/regressions/text ;;
  kanji_table_fuzz) seeds=$seeds_build/fuzz-seeds/kanji; regressions=fuzz/regressions/kanji ;;
  *) echo "unknown target $target (engine_fuzz, text_fuzz or kanji_table_fuzz)" >&2; exit 1 ;;
esac
cpu=${LEXIV_FUZZ_CPU:-$(($(nproc) - 1))}
scripts/install-packages.sh g++ cmake make libgtest-dev libgmock-dev clang libclang-rt-14-dev binutils

# The seeds are made by the programs of an ordinary sanitizer build.
cmake -S . -B "$seeds_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLEXIV_SANITIZE=ON -DLEXIV_BUILD_BENCH=OFF >/dev/null
nice -n 19 cmake --build "$seeds_build" -j1 --target fuzz_seeds kanji_fuzz_seeds >/dev/null

mkdir -p "$build"
objcopy --weaken-symbol=__sanitizer_cov_trace_pc "$(clang -print-runtime-dir)/libclang_rt.fuzzer-x86_64.a" \
  "$build/libfuzzer-gcc.a"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLEXIV_SANITIZE=ON -DLEXIV_BUILD_BENCH=OFF \
  -DLEXIV_FUZZ_DRIVER="$PWD/$build/libfuzzer-gcc.a" >/dev/null
nice -n 19 cmake --build "$build" -j1 --target "$target" >/dev/null

out=fuzz/out-$target
mkdir -p "$out/corpus"
cp -n "$seeds"/* "$out/corpus/"
# What fuzz/afl-fast.sh found joins the corpus.
[ -d "fuzz/out-fast-$target/corpus" ] && find "fuzz/out-fast-$target/corpus" -type f -exec cp -n -t "$out/corpus" {} +
dirs=("$out/corpus")
[ -d "$regressions" ] && dirs+=("$regressions")
export LEXIV_FUZZ_DICT="$PWD/$seeds_build/bin/Dic/Yomigo/"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
nice -n 19 taskset -c "$cpu" "$build/bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$out/" -print_final_stats=1 "${dirs[@]}" > "$out.log" 2>&1 || true
grep -E "DONE|ERROR|SUMMARY|stat::number_of_executed_units|stat::average_exec_per_sec" "$out.log" || true
! ls "$out"/crash-* "$out"/timeout-* "$out"/leak-* "$out"/oom-* >/dev/null 2>&1
