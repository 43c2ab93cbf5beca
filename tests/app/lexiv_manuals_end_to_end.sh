#!/usr/bin/env bash
# The manual list on a real terminal inside tmux, with the manuals and the editor beside the
# program: F1 lists the manuals and says where the focus is, Down says the next manual, Enter opens
# it read-only in penra in a new tmux window; Escape in penra closes it and the dictionary's
# window with the list is back; Escape closes the list.
# Usage: lexiv_manuals_end_to_end.sh path/to/lexiv
set -u
source "$(dirname "$0")/tmux_program.sh"

program_dir=$(cd "$(dirname "$1")" && pwd)
# The machine's hive as an installation writes it: where the manuals and the editor are.
cat > "$work/system.reg" <<HIVE
REGEDIT4

[HKEY_LOCAL_MACHINE\\Software\\TKV\\Lexiv\\Directories]
"Manual"="$program_dir/Manual"

[HKEY_LOCAL_MACHINE\\Software\\TKV\\Penra\\Directories]
"ProductDir"="$program_dir"
"ProductFile"="penra"
HIVE

windows() { tmux_ list-windows -t e2e; }

# The program is in tmux, so what it starts opens in a window of this server.
start_program_in_tmux() {
  tmux_ new-session -d -s e2e -x 100 -y 30 \
    "env -i PATH=$PATH LSAN_OPTIONS=${LSAN_OPTIONS:-} HOME=$work TERM=tmux-256color LANG=C.UTF-8 bash --norc --noprofile"
  wait_for "shell prompt" screen grep -q 'bash'
  local tmux_variable
  tmux_variable=$(tmux_ display-message -p -t e2e '#{socket_path},#{pid},#{session_id}' | tr -d '$')
  tmux_ send-keys -t e2e "TMUX=$tmux_variable LEXIV_REGISTRY_DIR=$work LEXIV_SESSION_DIR=$work/session VOXA_LOG=$work/voxa.log $1; echo EXIT=\$?" Enter
}

start_program_in_tmux "$1"
wait_for "the search box says what it is for" speech grep -q "^VOXAPRead	読み方␞	"

tmux_ send-keys -t e2e F1
wait_for "the manual list" screen grep -q "マニュアル一覧"
wait_for "the list says where the focus is" speech grep -q "^VOXAPRead	マニュアル一覧の 選択	"
wait_for "and the first manual" speech grep -q "^VOXAPRead	1-start	"
tmux_ send-keys -t e2e Down
wait_for "Down says the next manual" speech grep -q "^VOXAPRead	2-keys	"

tmux_ send-keys -t e2e Enter
wait_for "penra in a new window" windows sh -c '[ "$(wc -l)" -eq 2 ]'
wait_for "penra shows the manual" screen grep -q "キー操作"

tmux_ send-keys -t e2e Escape
wait_for "penra's window closed" windows sh -c '[ "$(wc -l)" -eq 1 ]'
wait_for "the dictionary with its list is back" screen grep -q "マニュアル一覧"

tmux_ send-keys -t e2e Escape
wait_for "the list closed" screen sh -c '! grep -q "マニュアル一覧"'
tmux_ send-keys -t e2e Escape
wait_for "the exit question" screen grep -q "国語辞典を終了しますか"
tmux_ send-keys -t e2e Enter
wait_for "the program ended" screen grep -q "EXIT=0"

finish "lexiv manuals end to end"
