# Shared by the lookup end-to-end scripts (sourced, after tmux_program.sh): the dictionary's
# directories and hot keys in the scratch directory (Ctrl+Shift+F11 at the caret, Ctrl+Shift+F12
# the clipboard), a program started in a pane with the test's variables and tmux's own, and the
# dictionary's speech since a mark.
#   lookup_directories path/to/bin    writes LEXIV.INI and the user hive
#   in_pane LOG PROGRAM [ARGS...]     the command that starts PROGRAM in a pane, speech to LOG
#   mark; said_since_mark             what the dictionary said (in $work/voxa.log) after mark
#   active_pane                       the pane tmux shows
lookup_directories() {
  mkdir -p "$work/product"
  printf '[DLLSection]\r\nModifyKey=CTRL,SHIFT\r\nSearchKey=F11\r\nClipSearchKey=F12\r\n' > "$work/product/LEXIV.INI"
  cat > "$work/user.reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\\Software\\TKV\\Lexiv\\Directories]
"ProductDir"="$work/product/"
"DicDir"="$1/Dic/Yomigo/"
"DllDir"="$1/"
REG
}

in_pane() {
  local log=$1; shift
  printf "exec env -i PATH='%s' HOME='%s' TERM=tmux-256color LANG=C.UTF-8 LSAN_OPTIONS='%s' TMUX=\"\$TMUX\" TMUX_PANE=\"\$TMUX_PANE\" LEXIV_REGISTRY_DIR='%s' LEXIV_SESSION_DIR='%s' VOXA_LOG='%s' %s" \
    "$PATH" "$work" "${LSAN_OPTIONS:-}" "$work" "$work/session" "$log" "$*"
}

mark=0
mark() { mark=$(speech | wc -l); }
said_since_mark() { speech | tail -n +$((mark + 1)); }
active_pane() { tmux_ display-message -p '#{pane_id}'; }
