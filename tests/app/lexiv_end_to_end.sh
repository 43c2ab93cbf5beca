#!/usr/bin/env bash
# The installed program on a real terminal inside tmux: it starts on the sample dictionary, says
# its name, asks before it exits, says goodbye and leaves its settings in the user's hive.
# Usage: lexiv_end_to_end.sh path/to/lexiv
set -u
lexiv=$1
work=$(mktemp -d)
socket="lexiv-app-e2e-$$"
tmux_() { tmux -L "$socket" -f /dev/null "$@"; }
# The speech server started for the test may still be writing under HOME for a moment.
cleanup() {
  tmux_ kill-server 2>/dev/null
  for _ in 1 2 3 4 5; do rm -rf "$work" 2>/dev/null && break; sleep 0.5; done
}
trap cleanup EXIT

failures=0
report() { echo "--- screen ---"; tmux_ capture-pane -p -t e2e; echo "--- speech ---"; cat "$work/voxa.log" 2>/dev/null; echo "--------------"; }
fail() { echo "FAIL: $*"; report; failures=$((failures + 1)); }

# Polls until the command succeeds on what it reads (20 s at most: a loaded machine is slow).
screen() { tmux_ capture-pane -p -t e2e; }
speech() { cat "$work/voxa.log" 2>/dev/null; }
hive() { cat "$work/user.reg" 2>/dev/null; }
wait_for() {
  local what=$1 source=$2; shift 2
  for _ in $(seq 200); do
    if "$source" | "$@" >/dev/null 2>&1; then return 0; fi
    sleep 0.1
  done
  fail "$what"
  return 1
}

tmux_ new-session -d -s e2e -x 100 -y 30 "env -i PATH=$PATH HOME=$work TERM=tmux-256color LANG=C.UTF-8 bash --norc --noprofile"
wait_for "shell prompt" screen grep -q 'bash'
tmux_ send-keys -t e2e "LEXIV_REGISTRY_DIR=$work VOXA_LOG=$work/voxa.log $lexiv; echo EXIT=\$?" Enter

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

[ "$failures" -eq 0 ] && echo "lexiv end to end: passed"
exit $((failures > 0))
