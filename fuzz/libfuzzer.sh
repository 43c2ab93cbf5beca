#!/usr/bin/env bash
# fuzz/libfuzzer.sh TARGET SECONDS: fuzzes TARGET (hive_fuzz, profile_fuzz, terminal_input_fuzz or
# session_frame_fuzz)
# in process with clang's libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer, from its
# seeds and past findings, and exits non-zero on a finding (written to fuzz/out-TARGET/).
# LEXIV_FUZZ_TIMEOUT (seconds, default 5) is the time one input may take: raise it on a machine
# that other work keeps busy, where a niced fuzzer may wait seconds for the processor.
# These parsers hold no program text, so clang (which cannot compile Shift-JIS literals) builds
# them faithfully; in process they run thousands of times faster than one process per input.
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?usage: fuzz/libfuzzer.sh TARGET SECONDS}
seconds=${2:?usage: fuzz/libfuzzer.sh TARGET SECONDS}
case "$target" in
  hive_fuzz) seeds=hive; sources="platform/services/registry_format.cpp platform/services/shift_jis_text.cpp" ;;
  profile_fuzz) seeds=profile; sources="platform/services/profile_strings.cpp platform/services/whole_file.cpp platform/services/shift_jis_text.cpp" ;;
  terminal_input_fuzz) seeds=terminal; sources="platform/terminal/terminal_input_decoder.cpp" ;;
  # The frames other programs send, through the whole receiving path (the platform's message core,
  # controls and services). The system menu's few Japanese captions come out as UTF-8 under clang,
  # which the frames never reach. Its seeds are made by lexiv-fuzz-session-seeds.
  session_frame_fuzz) seeds=session; sources="$(ls platform/core/*.cpp platform/controls/*.cpp platform/services/*.cpp platform/headless/*.cpp | tr '\n' ' ')" ;;
  *) echo "unknown target $target (hive_fuzz, profile_fuzz, terminal_input_fuzz or session_frame_fuzz)" >&2; exit 1 ;;
esac
scripts/install-packages.sh clang libclang-rt-14-dev
out=fuzz/out-$target
mkdir -p "$out/corpus" build-libfuzzer
if [ "$seeds" = session ]; then
  [ -x build/bin/lexiv-fuzz-session-seeds ] || scripts/setup.sh build >/dev/null
  mkdir -p build/fuzz-seeds/session && build/bin/lexiv-fuzz-session-seeds build/fuzz-seeds/session
  cp -n build/fuzz-seeds/session/* "$out/corpus/"
else
  cp -n fuzz/seeds/$seeds/* "$out/corpus/"
fi
# shellcheck disable=SC2086
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I. \
  fuzz/$target.cpp $sources -ldl -o build-libfuzzer/$target
regressions=()
[ -d fuzz/regressions/$seeds ] && regressions=(fuzz/regressions/$seeds)
build-libfuzzer/$target -max_total_time="$seconds" -max_len=4096 -timeout="${LEXIV_FUZZ_TIMEOUT:-5}" -artifact_prefix="$out/" \
  "$out/corpus" "${regressions[@]}" 2>&1 | tee "$out.log" | grep -E "DONE|ERROR|SUMMARY" || true
! ls "$out"/crash-* "$out"/timeout-* "$out"/leak-* >/dev/null 2>&1
