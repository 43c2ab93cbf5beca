#!/usr/bin/env bash
# The editor on a real terminal inside tmux: it opens a UTF-8 file, the reader reads its edit as
# the caret moves and as text is typed, Ctrl+S saves the file back as UTF-8 and says so, a
# read-only copy refuses typing out loud, a folder is refused out loud, and Ctrl+Q ends it.
# Usage: penra_end_to_end.sh path/to/penra
set -u
source "$(dirname "$0")/../app/tmux_program.sh"
file="$work/my notes/note.txt"
mkdir -p "$work/my notes"
printf '今日は\n晴れ\n' > "$file"
start_program "$1 '$file'"

wait_for "the text on screen, line by line" screen grep -q "^晴れ"
wait_for "the status line" screen grep -q "note.txt .*1行 1桁 UTF-8"
wait_for "the edit read when it gains the focus" speech grep -q "^Reader	エディット␞今日は"

tmux_ send-keys -t e2e End
wait_for "the line end read" speech grep -q "^Reader	改行"
tmux_ send-keys -t e2e -l "です"
wait_for "the typed text on screen" screen grep -q "^今日はです"
wait_for "the typed characters read" speech grep -q "^Reader	す"
wait_for "the change on the status line" screen grep -q "1行 6桁 UTF-8 変更あり"
tmux_ send-keys -t e2e C-s
wait_for "the save said" speech grep -q "^VOXAPRead	保存しました	"
wait_for "the save on the status line" screen grep -q "^保存しました"
[ "$(cat "$file")" = "$(printf '今日はです\n晴れ')" ] || fail "the file saved as UTF-8 with its LF line ends"

tmux_ send-keys -t e2e C-q
wait_for "the program ended" screen grep -q "EXIT=0"

# The same file read-only, as the manual viewers open it, ended with Escape.
tmux_ send-keys -t e2e "clear" Enter
start_command() { tmux_ send-keys -t e2e "LEXIV_REGISTRY_DIR=$work LEXIV_SESSION_DIR=$work/session VOXA_LOG=$work/voxa.log $1; echo EXIT2=\$?" Enter; }
start_command "$1 /ro /EndEsc '$file'"
wait_for "the read-only status" screen grep -q "読み取り専用"
tmux_ send-keys -t e2e -l "x"
wait_for "the refusal said" speech grep -q "^VOXAPRead	読み取り専用です	"
tmux_ send-keys -t e2e Escape
wait_for "Escape ended it" screen grep -q "EXIT2=0"
[ "$(cat "$file")" = "$(printf '今日はです\n晴れ')" ] || fail "the read-only file unchanged"

# A folder given as the file: told, after the reader has read the (empty) edit.
tmux_ send-keys -t e2e "clear" Enter
start_command "$1 '$work/my notes'"
wait_for "the folder refused out loud" speech grep -q "^VOXAPRead	ファイルを読み込めません my notes フォルダです	"
tmux_ send-keys -t e2e C-q
wait_for "Ctrl+Q ended it" screen grep -q "EXIT2=0"

finish "penra end to end"
