#!/usr/bin/env bash
# bench/query_batch.sh [BUILD_DIR]: times lexiv-query's batch mode on 100,000 exact reading keys
# taken from the EDICT file, against the EDICT-built dictionary, and prints keys per second.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
dict=$build/edict-dictionary
[ -f "$dict/YOMIGO.DIC" ] || cmake --build "$build" --target edict_dictionary >/dev/null
keys=$(mktemp)
trap 'rm -f "$keys"' EXIT
# Readings are the bracketed field; kana-only words have none and use the headword.
iconv -f EUC-JP -t UTF-8 /usr/share/edict/edict |
  awk 'NR > 1 && n < 100000 {
         if (match($0, /\[[^]]*\]/)) print substr($0, RSTART + 1, RLENGTH - 2); else print $1
         n++
       }' > "$keys"
n=$(wc -l < "$keys")
start=$(date +%s.%N)
/usr/bin/time -f "%e s elapsed, %U s user, %S s system, %M KiB max resident" "$build/bin/lexiv-query" --dict "$dict" - < "$keys" > /dev/null
end=$(date +%s.%N)
awk -v n="$n" -v s="$start" -v e="$end" 'BEGIN { printf "%d keys in %.3f s: %.0f keys/s\n", n, e - s, n / (e - s) }'
