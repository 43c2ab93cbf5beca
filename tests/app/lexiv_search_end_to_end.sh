#!/usr/bin/env bash
# A search on a real terminal inside tmux, with the installed program and its speech library: a
# reading typed in Japanese into the search box, Enter, the headword list spoken and shown, a move
# through the list with the meaning following, Enter into the meaning and a caret move there, a
# paste searched, and Escape back to the entry; the reader reads none of it on its own.
# Usage: lexiv_search_end_to_end.sh path/to/lexiv
set -u
source "$(dirname "$0")/tmux_program.sh"
# The speech log after the opened entry's reading.
speech_after_opening() { speech | sed -n '/^VOXAPRead	読み␞はし	/,$p' | tail -n +2; }

start_program "$1"
wait_for "the search box says what it is for" speech grep -q "^VOXAPRead	読み方␞	"

tmux_ send-keys -t e2e -l 'はし'
wait_for "the reading typed into the box" screen grep -q "^検索語はし"
tmux_ send-keys -t e2e Enter
wait_for "the count said" speech grep -q "^VOXAPRead	見出し語␞3件␞	"
wait_for "the first headword said after the count" speech grep -q "^VOXACGuide	橋	65536"
wait_for "the hits listed" screen grep -q "^端【はし】"
wait_for "the caption over the list" screen grep -q "^見出し語一覧 1/3"
wait_for "the first entry shown beside the list" screen grep -q "漢字　　橋"

tmux_ send-keys -t e2e Down
wait_for "the next headword said" speech grep -q "^VOXACGuide	端	65536"
wait_for "the caption follows the cursor" screen grep -q "^見出し語一覧 2/3"
wait_for "the meaning follows the cursor" screen grep -q "物の末の部分"

tmux_ send-keys -t e2e Enter
wait_for "the opened entry's reading said" speech grep -q "^VOXAPRead	読み␞はし	"
tmux_ send-keys -t e2e Right
wait_for "the character under the caret said after the reading" speech_after_opening grep -q "^VOXACGuide	み	0"

# A paste is searched as it stands; Escape in the list goes back to the entry that was open.
tmux_ set-buffer '漢字'
tmux_ paste-buffer -p -t e2e
wait_for "the pasted word searched" speech grep -q "^VOXAPRead	見出し語␞1件␞かんじ	"
wait_for "the pasted word's headword listed" screen grep -q "^漢字【かんじ】"
tmux_ send-keys -t e2e Escape
wait_for "back to the open entry" speech grep -q "^VOXAPRead	パス	"
wait_for "the open entry shown again" screen grep -q "漢字　　端"

# The program speaks for its own panes: the reader has said nothing of its own so far.
speech | grep -q "^Reader	" && fail "the reader read the program's own panes"

tmux_ send-keys -t e2e Escape
wait_for "the exit question" screen grep -q "国語辞典を終了しますか"
tmux_ send-keys -t e2e Enter
wait_for "the program ended" screen grep -q "EXIT=0"

finish "lexiv search end to end"
