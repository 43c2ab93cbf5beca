#!/usr/bin/env bash
# The sample program on the terminal driver inside tmux: keys typed with send-keys reach the
# right window, the screen shows what the windows hold with double-byte text aligned, a paste
# arrives as dropped text, and SIGTERM leaves a usable terminal.
# Usage: terminal_end_to_end.sh path/to/terminal_demo
set -u
demo=$1
work=$(mktemp -d)
socket="lexiv-e2e-$$"
tmux_() { tmux -L "$socket" -f /dev/null "$@"; }
cleanup() { tmux_ kill-server 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT

failures=0
fail() { echo "FAIL: $*"; echo "--- screen ---"; tmux_ capture-pane -p -t e2e; echo "--------------"; failures=$((failures + 1)); }

# Polls the screen until the command given succeeds on it (20 s at most: a loaded machine is slow).
screen() { tmux_ capture-pane -p -t e2e; }
wait_for() {
  local what=$1; shift
  for _ in $(seq 200); do
    if screen | "$@" >/dev/null 2>&1; then return 0; fi
    sleep 0.1
  done
  fail "$what"
  return 1
}
line_is() { local n=$1 text=$2; [ "$(sed -n "${n}p" | sed 's/ *$//')" = "$text" ]; }

# Without a terminal: a clear error and status 2.
"$demo" </dev/null >"$work/out" 2>"$work/err"
status=$?
[ "$status" -eq 2 ] || fail "not a terminal: status $status, expected 2"
grep -q "not a terminal" "$work/err" || fail "not a terminal: message was '$(cat "$work/err")'"

tmux_ new-session -d -s e2e -x 80 -y 24 "env -i PATH=$PATH LSAN_OPTIONS=${LSAN_OPTIONS:-} HOME=$work TERM=tmux-256color LANG=C.UTF-8 bash --norc --noprofile"
wait_for "shell prompt" grep -q 'bash'
tmux_ send-keys -t e2e "$demo $work/pid; echo EXIT=\$?" Enter

# The bar line: caption and menu bar, the Japanese text two cells a character.
wait_for "bar line" line_is 1 " 見本   操作(F)  表示(V)"

# Typed text reaches the focused pad (row 3), Japanese text through the input method.
tmux_ send-keys -t e2e "abc"
tmux_ send-keys -t e2e -l "辞書x"
wait_for "typed text in the pad" line_is 3 "abc辞書x"

# Accelerators: Ctrl+G greets in the label (row 2); Ctrl+Shift+F11 clears it.
tmux_ send-keys -t e2e C-g
wait_for "Ctrl+G greets" line_is 2 "こんにちは"
tmux_ send-keys -t e2e C-S-F11
wait_for "Ctrl+Shift+F11 clears" line_is 2 ""

# Alt+F opens the menu under its bar item; the cursor follows the highlight; Escape closes.
tmux_ send-keys -t e2e M-f
wait_for "menu open" grep -q "挨拶(G) *Ctrl+G"
wait_for "menu item aligned" line_is 3 "abc辞書   消去(C)     Ctrl+Shift+F11"
[ "$(tmux_ display -p -t e2e '#{cursor_x},#{cursor_y}')" = "10,1" ] || fail "cursor not on the highlighted item"
tmux_ send-keys -t e2e Down
wait_for "prompt in the status line" grep -q "表示を消します"
tmux_ send-keys -t e2e Escape
sleep 0.2
tmux_ send-keys -t e2e Escape
wait_for "menu closed" sh -c '! grep -q "Ctrl+G"'

# A paste is dropped on the main window (the label), not typed into the pad.
tmux_ set-buffer "貼付テキスト"
tmux_ paste-buffer -p -t e2e
wait_for "paste dropped on the label" line_is 2 "貼付テキスト"
wait_for "pad unchanged by the paste" line_is 3 "abc辞書x"

# SIGTERM: the program ends and the terminal is usable again.
kill -TERM "$(cat "$work/pid")"
wait_for "program ended" grep -q "EXIT=143"
[ "$(tmux_ display -p -t e2e '#{alternate_on}')" = "0" ] || fail "alternate screen still on"
tmux_ send-keys -t e2e "stty -a | tr ' ;' '\n\n' | grep -xE -- '-?(icanon|echo)' | tr '\n' ' '; echo" Enter
wait_for "line editing and echo restored" grep -q "^icanon echo *$"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "terminal end-to-end: all checks passed"
