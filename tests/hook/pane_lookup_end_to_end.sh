#!/usr/bin/env bash
# Looking a word up from a program that is not ours: lexiv in one tmux pane, a shell in another
# that has printed two lines of Japanese. The hot keys are typed through a client attached to the
# private tmux server (a pseudo-terminal), as a person types them, so they go through tmux's root
# key table: the word at the shell pane's cursor, a copy-mode selection, and the newest tmux buffer
# are looked up, each time the dictionary's pane comes forward and Escape brings the shell's pane
# back. SIGTERM puts tmux's bindings back as they were; after kill -9 the hot key reaches the
# shell unchanged and the stale bindings go.
# With penra given, a hot key in penra's pane is handed on to it and its hook library looks up.
# Usage: pane_lookup_end_to_end.sh path/to/lexiv [path/to/penra]
set -u
lexiv=$1 penra=${2:-}
source "$(dirname "$0")/../app/tmux_program.sh"
source "$(dirname "$0")/lookup_panes.sh"
client_pid=
# The attached client goes first, then what tmux_program.sh cleans up.
cleanup_client() {
  [ -n "$client_pid" ] && kill "$client_pid" 2>/dev/null
  exec 3>&- 2>/dev/null
  cleanup
}
trap cleanup_client EXIT
shell_screen() { tmux_ capture-pane -p -t "$shell_pane"; }
root_keys() { tmux_ list-keys -T root; }
report() {
  echo "--- active pane $(active_pane) (lexiv $lexiv_pane, shell $shell_pane) ---"
  echo "--- lexiv ---"; tmux_ capture-pane -p -t "$lexiv_pane" 2>/dev/null | head -12
  echo "--- shell ---"; shell_screen | head -5
  echo "--- speech ---"; speech | tail -12
}
# Typed by the person at the attached client: xterm's Ctrl+Shift+F11 and Ctrl+Shift+F12.
type_keys() { printf '%b' "$1" >&3; }
ctrl_shift_f11='\033[23;6~'
ctrl_shift_f12='\033[24;6~'

lookup_directories "$(dirname "$lexiv")"
lexiv_command=$(in_pane "$work/voxa.log" "'$lexiv'")
start_lexiv() {
  : > "$work/voxa.log"
  tmux_ respawn-pane -k -t "$lexiv_pane" "$lexiv_command"
  wait_for "the dictionary started" speech grep -q "^VOXAPRead	読み方␞	"
  wait_for "the hot keys bound in tmux" root_keys grep -q "C-S-F11 .*lexiv-pane-lookup"
  tmux_ select-pane -t "$shell_pane"
}
lexiv_pid() { tmux_ display-message -p -t "$lexiv_pane" '#{pane_pid}'; }

lexiv_pane=$(tmux_ new-session -d -P -F '#{pane_id}' -s e2e -x 100 -y 24 "sleep 1000")
# The dictionary's pane stays when the dictionary ends, to start it there again.
tmux_ set-option -p -t "$lexiv_pane" remain-on-exit on
shell_pane=$(tmux_ split-window -h -P -F '#{pane_id}' -t "$lexiv_pane" \
  "env -i PATH='$PATH' HOME='$work' LANG=C.UTF-8 bash --norc --noprofile -c \"printf '橋を渡る\\\\n雨の朝\\\\r'; exec sleep 1000\"")
wait_for "the shell's text" shell_screen grep -q "^雨の朝"
root_keys > "$work/keys.before"

# The person's terminal.
mkfifo "$work/keyboard"
exec 3<>"$work/keyboard"
TERM=xterm-256color script -qfc "tmux -L '$socket' -f /dev/null attach -t e2e" /dev/null <&3 >/dev/null 2>&1 &
client_pid=$!
clients() { tmux_ list-clients; }
wait_for "the client attached" clients grep -q .

start_lexiv
wait_for "the shell's pane in front" active_pane grep -qx -- "$shell_pane"

# The word at the cursor: the start of the second line.
mark
type_keys "$ctrl_shift_f11"
wait_for "the dictionary's pane comes forward" active_pane grep -qx -- "$lexiv_pane"
wait_for "the word at the cursor is said" said_since_mark grep -q "雨"
tmux_ send-keys -t "$lexiv_pane" Escape
wait_for "Escape gives the shell's pane back" active_pane grep -qx -- "$shell_pane"

# A copy-mode selection: 橋, on the first line.
tmux_ copy-mode -t "$shell_pane"
for command in cursor-up start-of-line begin-selection cursor-right; do tmux_ send-keys -t "$shell_pane" -X "$command"; done
mark
type_keys "$ctrl_shift_f11"
wait_for "the selection is looked up" said_since_mark grep -q "橋"
wait_for "the dictionary's pane comes forward for the selection" active_pane grep -qx -- "$lexiv_pane"
tmux_ send-keys -t "$lexiv_pane" Escape
wait_for "back in the shell's pane after the selection" active_pane grep -qx -- "$shell_pane"
tmux_ send-keys -t "$shell_pane" -X cancel

# The newest tmux buffer.
tmux_ set-buffer '朝'
mark
type_keys "$ctrl_shift_f12"
wait_for "the buffer is looked up" said_since_mark grep -q "朝"
tmux_ send-keys -t "$lexiv_pane" Escape
wait_for "back in the shell's pane after the buffer" active_pane grep -qx -- "$shell_pane"

# A pane that runs one of our programs gets the key handed on, and the hook library inside the
# program does the lookup, once.
if [ -n "$penra" ]; then
  printf '端の話\n' > "$work/text.txt"
  penra_pane=$(tmux_ split-window -v -P -F '#{pane_id}' -t "$shell_pane" "$(in_pane "$work/penra.voxa" "'$penra'" "'$work/text.txt'")")
  penra_screen() { tmux_ capture-pane -p -t "$penra_pane"; }
  wait_for "penra shows its file" penra_screen grep -q "端の話"
  wait_for "penra's pane in front" active_pane grep -qx -- "$penra_pane"
  mark
  type_keys "$ctrl_shift_f11"
  wait_for "the word at penra's caret is said" said_since_mark grep -q "端"
  wait_for "the dictionary's pane comes forward from penra" active_pane grep -qx -- "$lexiv_pane"
  [ "$(said_since_mark | grep -c "^VOXAPRead	見出し語␞")" -eq 1 ] || fail "the lookup from penra was made other than once"
  tmux_ send-keys -t "$lexiv_pane" Escape
  wait_for "back in penra's pane" active_pane grep -qx -- "$penra_pane"
  tmux_ kill-pane -t "$penra_pane"
  tmux_ select-pane -t "$shell_pane"
fi

# SIGTERM: the bindings are as they were before the dictionary started.
kill -TERM "$(lexiv_pid)"
wait_for "SIGTERM puts the bindings back" root_keys diff -q - "$work/keys.before"

# kill -9: the bindings stay behind; the hot key then reaches the shell's program unchanged (its
# terminal echoes it) and the stale bindings go.
start_lexiv
kill -KILL "$(lexiv_pid)"
type_keys "$ctrl_shift_f11"
wait_for "the hot key reaches the shell unchanged" shell_screen grep -qF '[23;6~'
wait_for "the stale bindings removed" root_keys diff -q - "$work/keys.before"

finish "pane lookup end to end"
