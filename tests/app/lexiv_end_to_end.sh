#!/usr/bin/env bash
# The installed program on a real terminal inside tmux: it starts on the sample dictionary, says
# its name, asks before it exits, says goodbye and leaves its settings in the user's hive.
# Usage: lexiv_end_to_end.sh path/to/lexiv
set -u
source "$(dirname "$0")/tmux_program.sh"
start_program "$1"

wait_for "the menu bar" screen grep -q "国語辞典 *操作(F) *読み(R) *編集(E) *表示(V) *ﾍﾙﾌﾟ(H)"
wait_for "the search bar" screen grep -q "^検索語"
wait_for "the name said on activation" speech grep -q "^VOXAPRead	国語辞典	"

tmux_ send-keys -t e2e Escape
wait_for "the exit question" screen grep -q "国語辞典を終了しますか"
tmux_ send-keys -t e2e Enter
wait_for "the program ended" screen grep -q "EXIT=0"
wait_for "the goodbye" speech grep -q "^VOXAPRead	国語辞典␞終わり	"
wait_for "the settings in the user hive" hive grep -q '"SplitPos"=dword:'
grep -q '"FontName"="ＭＳ ゴシック"' "$work/user.reg" || fail "FontName in the user hive"

finish "lexiv end to end"
