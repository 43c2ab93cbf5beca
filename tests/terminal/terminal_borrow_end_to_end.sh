#!/usr/bin/env bash
# A platform program started where neither tmux nor a desktop can give it a terminal borrows the
# caller's: the caller gives up its screen, the started program draws and takes the keys, and
# when it ends the caller redraws and takes the keys again, and the terminal is left as it was.
# Usage: terminal_borrow_end_to_end.sh path/to/terminal_demo
set -u
demo=$1
work=$(mktemp -d)
socket="lexiv-borrow-$$"
tmux_() { tmux -L "$socket" -f /dev/null "$@"; }
cleanup() { tmux_ kill-server 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT

failures=0
fail() { echo "FAIL: $*"; echo "--- screen ---"; tmux_ capture-pane -p -t borrow; echo "--------------"; failures=$((failures + 1)); }
screen() { tmux_ capture-pane -p -t borrow; }
# Polls until the command succeeds (20 s at most: a loaded machine is slow).
wait_until() {
  local what=$1; shift
  for _ in $(seq 200); do
    if "$@" >/dev/null 2>&1; then return 0; fi
    sleep 0.1
  done
  fail "$what"
  return 1
}
line_is() { local n=$1 text=$2; [ "$(screen | sed -n "${n}p" | sed 's/ *$//')" = "$text" ]; }

# The shell in the pane has no TMUX and no DISPLAY: the started program can only borrow.
tmux_ new-session -d -s borrow -x 80 -y 24 "env -i PATH=$PATH LSAN_OPTIONS=${LSAN_OPTIONS:-} HOME=$work TERM=tmux-256color LANG=C.UTF-8 LEXIV_SESSION_DIR=$work/session bash --norc --noprofile"
wait_until "shell prompt" sh -c "tmux -L $socket capture-pane -p -t borrow | grep -q bash"
tmux_ send-keys -t borrow "$demo $work/caller.pid --start $(basename "$demo") $work/child.pid; echo EXIT=\$?" Enter

# The child runs on the terminal and takes the keys.
wait_until "the started program runs" test -s "$work/child.pid"
wait_until "the started program draws" line_is 1 " 見本   操作(F)  表示(V)"
tmux_ send-keys -t borrow "child"
wait_until "keys reach the started program" line_is 3 "child"

# It ends (Alt+F, X); the caller redraws its own screen and takes the keys again.
tmux_ send-keys -t borrow M-f
wait_until "the started program's menu" sh -c "tmux -L $socket capture-pane -p -t borrow | grep -q '終了(X)'"
tmux_ send-keys -t borrow x
wait_until "the started program ended" sh -c "! kill -0 $(cat "$work/child.pid") 2>/dev/null"
wait_until "the caller redrew" line_is 1 " 見本   操作(F)  表示(V)"
wait_until "the caller's pad is its own" line_is 3 ""
tmux_ send-keys -t borrow "caller"
wait_until "keys reach the caller again" line_is 3 "caller"

# The caller ends normally and leaves the terminal usable.
tmux_ send-keys -t borrow M-f
wait_until "the caller's menu" sh -c "tmux -L $socket capture-pane -p -t borrow | grep -q '終了(X)'"
tmux_ send-keys -t borrow x
wait_until "the caller ended" sh -c "tmux -L $socket capture-pane -p -t borrow | grep -q 'EXIT=0'"
[ "$(tmux_ display -p -t borrow '#{alternate_on}')" = "0" ] || fail "alternate screen still on"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "terminal borrow end-to-end: all checks passed"
