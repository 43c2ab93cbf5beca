#!/usr/bin/env bash
# Looking a word up from the editor, on a real terminal inside tmux: lexiv in one pane, penra with
# a file in the other. The hot key in penra's pane brings the dictionary's pane forward with the
# word at penra's caret found and spoken; Escape there brings penra's pane back with its text and
# caret as they were; a selection and the clipboard are looked up the same way; with the
# dictionary gone, the hot key is an ordinary key in penra.
# Usage: lookup_end_to_end.sh path/to/lexiv path/to/penra
set -u
lexiv=$1 penra=$2
source "$(dirname "$0")/../app/tmux_program.sh"
source "$(dirname "$0")/lookup_panes.sh"
penra_speech() { cat "$work/penra.voxa" 2>/dev/null; }
penra_said_since_mark() { penra_speech | tail -n +$((penra_mark + 1)); }
mark_penra() { penra_mark=$(penra_speech | wc -l); }
lexiv_screen() { tmux_ capture-pane -p -t "$lexiv_pane"; }
penra_screen() { tmux_ capture-pane -p -t "$penra_pane"; }
report() {
  echo "--- active pane $(active_pane) (lexiv $lexiv_pane, penra $penra_pane) ---"
  echo "--- lexiv ---"; lexiv_screen; echo "--- penra ---"; penra_screen
  echo "--- lexiv speech ---"; speech | tail -20; echo "--- penra speech ---"; penra_speech | tail -20
}

lookup_directories "$(dirname "$lexiv")"
printf '橋を渡る\n雨の朝\n' > "$work/text.txt"
cp "$work/text.txt" "$work/text.before"

# The dictionary binds its keys in tmux too; an orderly exit puts them back as they were.
tmux_ new-session -d -s e2e -x 160 -y 30 "sleep 1000"
root_keys() { tmux_ list-keys -T root; }
root_keys > "$work/keys.before"
lexiv_pane=$(tmux_ display-message -p -t e2e '#{pane_id}')
tmux_ respawn-pane -k -t "$lexiv_pane" "$(in_pane "$work/voxa.log" "$lexiv")"
wait_for "the dictionary started" speech grep -q "^VOXAPRead	読み方␞	"
penra_pane=$(tmux_ split-window -h -P -F '#{pane_id}' -t "$lexiv_pane" "$(in_pane "$work/penra.voxa" "$penra" "$work/text.txt")")
wait_for "penra shows the file" penra_screen grep -q "橋を渡る"
wait_for "penra's pane is in front" active_pane grep -qx -- "$penra_pane"

# The word at the caret (the start of the file).
mark
tmux_ send-keys -t "$penra_pane" C-S-F11
wait_for "the dictionary's pane comes forward" active_pane grep -qx -- "$lexiv_pane"
wait_for "the word at penra's caret is said" said_since_mark grep -q "橋"
wait_for "and shown" lexiv_screen grep -q "橋"
tmux_ send-keys -t "$lexiv_pane" Escape
wait_for "Escape gives penra's pane back" active_pane grep -qx -- "$penra_pane"
cmp -s "$work/text.txt" "$work/text.before" || fail "the file changed"
wait_for "penra's text is unchanged" penra_screen grep -q "^橋を渡る"
# The caret is where it was: the next character after the start is を.
mark_penra
tmux_ send-keys -t "$penra_pane" Right
wait_for "penra's caret where it was" penra_said_since_mark grep -q "を"

# A selection: 雨 on the second line.
tmux_ send-keys -t "$penra_pane" Down Home S-Right
mark
tmux_ send-keys -t "$penra_pane" C-S-F11
wait_for "the selection is looked up" said_since_mark grep -q "雨"
wait_for "the dictionary's pane comes forward for the selection" active_pane grep -qx -- "$lexiv_pane"
tmux_ send-keys -t "$lexiv_pane" Escape
wait_for "back in penra after the selection" active_pane grep -qx -- "$penra_pane"

# The clipboard: 朝, copied in penra; the caret then elsewhere.
tmux_ send-keys -t "$penra_pane" End S-Left C-c Home
mark
tmux_ send-keys -t "$penra_pane" C-S-F12
wait_for "the clipboard is looked up" said_since_mark grep -q "朝"
tmux_ send-keys -t "$lexiv_pane" Escape
wait_for "back in penra after the clipboard" active_pane grep -qx -- "$penra_pane"

# The person goes back to the dictionary's pane by hand and ends it; the hot key is then an
# ordinary key in penra, and typing still types.
tmux_ select-pane -t "$lexiv_pane"
tmux_ send-keys -t "$lexiv_pane" Escape
wait_for "the exit question" lexiv_screen grep -q "国語辞典を終了しますか"
tmux_ send-keys -t "$lexiv_pane" Enter
panes() { tmux_ list-panes -a -F '#{pane_id}'; }
wait_for "the dictionary ended" panes sh -c '! grep -qx -- "$0"' "$lexiv_pane"
wait_for "the exit puts tmux's bindings back" root_keys diff -q - "$work/keys.before"
tmux_ select-pane -t "$penra_pane"
tmux_ send-keys -t "$penra_pane" C-S-F11 x
wait_for "keys reach penra with no dictionary" penra_screen grep -q "x雨の朝"
cmp -s "$work/text.txt" "$work/text.before" || fail "the file changed without a save"

finish "lookup end to end"
