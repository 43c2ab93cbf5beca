#!/bin/bash
# The real docpick in a terminal with VOXA_LOG: the product list speaks, Enter goes to the manual
# list, Tab to the text box and on to the start button, Enter reads the manual phrase by phrase;
# Escape goes back to the lists, and Escape again ends the program with its last words.
set -u
. "$(dirname "$0")/../app/tmux_program.sh"
docpick=$1
# Reads the log on standard input: the line is there twice or more.
at_least_twice() { [ "$(grep -cF "$1")" -ge 2 ]; }

mkdir -p "$work/manuals/lexiv" "$work/manuals/general" "$work/session"
chmod 700 "$work/session"
printf '概要\r\nこの辞書は、国語辞典です。\r\n' | iconv -f UTF-8 -t CP932 > "$work/manuals/lexiv/GUIDE.TXT"
printf 'はじめに\n' > "$work/manuals/lexiv/keys.txt"
cat > "$work/system.reg" <<HIVE
REGEDIT4

[HKEY_LOCAL_MACHINE\\Software\\TKV\\LEXIV\\Directories]
"manual"="$work/manuals/lexiv/"

[HKEY_LOCAL_MACHINE\\Software\\TKV\\System Global\\Directories]
"Manual"="$work/manuals/general/"
HIVE

start_program "$docpick"
wait_for "the product list speaks" speech grep -qF $'VOXAObject1\tメニュー␞国語辞典'
wait_for "the headings are shown" screen grep -q 'マニュアルの種類'
tmux_ send-keys -t e2e Enter
wait_for "the manual list speaks" speech grep -qF $'VOXAObject1\tサブメニュー␞GUIDE'
wait_for "the manual is shown" screen grep -q '概要'
wait_for "its first line is spoken" speech grep -qF $'VOXAObject1\t概要'
tmux_ send-keys -t e2e Tab
wait_for "the text box speaks" speech grep -qF $'VOXAObject1\t読み上げモード'
tmux_ send-keys -t e2e Tab
wait_for "the start button says its name" speech grep -qF $'VOXAObject1\t読み上げ開始'
tmux_ send-keys -t e2e Enter
wait_for "the first phrase is read" speech grep -qF $'VOXAObject1\t概要'
wait_for "the second phrase is read" speech grep -qF $'VOXAObject1\tこの辞書は、'
wait_for "the reading ends" speech grep -qF $'VOXAObject1\t読み 終わり'
tmux_ send-keys -t e2e Escape
wait_for "Escape goes back to the product list" speech at_least_twice $'VOXAObject1\tメニュー␞国語辞典'
tmux_ send-keys -t e2e Escape
wait_for "the last words" speech grep -qF $'VOXAObject1\tマニュアル 終わり'
wait_for "the program ends" screen grep -q 'EXIT=0'
finish docpick_end_to_end
