#!/usr/bin/env bash
# bench/query_per_process.sh [BUILD_DIR [ROUNDS]]: a script's way of using lexiv-query, one key per
# process, against look (Debian's bsdextrautils) on the same EDICT lines as a sorted text file,
# and against a bare process start (true). 200 exact reading keys from the EDICT file, the three
# commands taking turns key by key, ROUNDS (5) times over. Prints median, mean and 90th
# percentile wall time per process.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
rounds=${2:-5}
scripts/install-packages.sh edict bsdextrautils
dict=$build/edict-dictionary
cmake --build "$build" --target lexiv-query edict_dictionary per_process_timing >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# look's file: each EDICT line in UTF-8 after its reading (the bracketed field, else the
# headword) and a tab, sorted bytewise as look's binary search needs under LC_ALL=C.
iconv -f EUC-JP -t UTF-8 /usr/share/edict/edict |
  awk 'NR > 1 { if (match($0, /\[[^]]*\]/)) r = substr($0, RSTART + 1, RLENGTH - 2); else r = $1; print r "\t" $0 }' |
  LC_ALL=C sort > "$work/edict.txt"
# Every 1,300th line's reading: 200 keys spread over the dictionary.
awk -F'\t' 'NR % 1300 == 0 { print $1 }' "$work/edict.txt" | head -n 200 > "$work/keys"
export LC_ALL=C
"$build/bin/per_process_timing" "$rounds" "$work/keys" \
  lexiv-query "$build/bin/lexiv-query" --dict "$dict" "{}" -- \
  look look "{}" "$work/edict.txt" -- \
  true true
