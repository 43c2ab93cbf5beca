#!/usr/bin/env bash
# The find and zoom commands on a real terminal inside tmux, with the installed program and its
# speech library: an entry opened, F3 opening the find dialog, a word typed and Enter, the place
# found said; then F6 and Alt+PageUp stepping the screen up and back with the level said.
# Usage: lexiv_options_end_to_end.sh path/to/lexiv
set -u
source "$(dirname "$0")/tmux_program.sh"

start_program "$1"
wait_for "the search box says what it is for" speech grep -q "^VOXAPRead	読み方␞	"

tmux_ send-keys -t e2e -l 'あさ'
wait_for "the reading typed into the box" screen grep -q "^検索語あさ"
tmux_ send-keys -t e2e Enter
wait_for "the headword listed" speech grep -q "^VOXAPRead	見出し語␞"
tmux_ send-keys -t e2e Enter
wait_for "the entry opened" speech grep -q "^VOXAPRead	読み␞あさ	"

tmux_ send-keys -t e2e F3
wait_for "the find dialog" screen grep -q "検索する文字列"
tmux_ send-keys -t e2e -l '間'
wait_for "the text typed into the dialog" screen grep -q "検索する文字列.*間"
tmux_ send-keys -t e2e Enter
wait_for "the place found said" speech grep -Eq "^VOXAPRead	4の[0-9]+	"
wait_for "the dialog closed" screen sh -c '! grep -q "検索する文字列"'

tmux_ send-keys -t e2e F6
wait_for "the first enlargement said" speech grep -q "^VOXAPRead	拡大1	"
tmux_ send-keys -t e2e M-PPage
wait_for "back to the normal screen" speech grep -q "^VOXAPRead	通常画面	"

tmux_ send-keys -t e2e Escape
wait_for "the exit question" screen grep -q "国語辞典を終了しますか"
tmux_ send-keys -t e2e Enter
wait_for "the program ended" screen grep -q "EXIT=0"
wait_for "the normal screen saved" hive grep -q '"ZoomMode"=dword:00000000'

finish "lexiv options end to end"
