# Shared by the program's end-to-end scripts (sourced): a private tmux server with a clean shell,
# the program started in it with its hives and speech log in a scratch directory, and polling
# checks on the screen, the speech log and the user's hive.
#   start_program path/to/lexiv     starts the shell, then the program in it
#   wait_for "what" SOURCE CMD...   polls SOURCE (screen, speech or hive) until CMD succeeds on it
#   fail "what"                     counts a failure and shows the screen and the speech
#   finish "name"                   prints the verdict and exits with it
work=$(mktemp -d)
socket="lexiv-$(basename "$0" .sh)-$$"
tmux_() { tmux -L "$socket" -f /dev/null "$@"; }
# The speech server started for the test may still be writing under HOME for a moment.
cleanup() {
  tmux_ kill-server 2>/dev/null
  for _ in 1 2 3 4 5; do rm -rf "$work" 2>/dev/null && break; sleep 0.5; done
}
trap cleanup EXIT

failures=0
screen() { tmux_ capture-pane -p -t e2e; }
speech() { cat "$work/voxa.log" 2>/dev/null; }
hive() { cat "$work/user.reg" 2>/dev/null; }
report() { echo "--- screen ---"; screen; echo "--- speech ---"; speech; echo "--------------"; }
fail() { echo "FAIL: $*"; report; failures=$((failures + 1)); }

# 20 s at most: a loaded machine is slow.
wait_for() {
  local what=$1 source=$2; shift 2
  for _ in $(seq 200); do
    if "$source" | "$@" >/dev/null 2>&1; then return 0; fi
    sleep 0.1
  done
  fail "$what"
  return 1
}

start_program() {
  tmux_ new-session -d -s e2e -x 100 -y 30 \
    "env -i PATH=$PATH LSAN_OPTIONS=${LSAN_OPTIONS:-} HOME=$work TERM=tmux-256color LANG=C.UTF-8 bash --norc --noprofile"
  wait_for "shell prompt" screen grep -q 'bash'
  tmux_ send-keys -t e2e "LEXIV_REGISTRY_DIR=$work LEXIV_SESSION_DIR=$work/session VOXA_LOG=$work/voxa.log $1; echo EXIT=\$?" Enter
}

finish() {
  [ "$failures" -eq 0 ] && echo "$1: passed"
  exit $((failures > 0))
}
