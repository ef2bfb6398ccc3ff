#!/usr/bin/env bash
# The language follows the desktop: with LANG=en_US.UTF-8 or C.UTF-8 the real program's
# windows and brevlin's messages are English, with LANG=ja_JP.UTF-8 the system's Japanese, as
# they always were; BREVLIN_UI_LANGUAGE, which the other tests set, is not set here.
source "$(dirname "$0")/lib.sh"
: "${BREVLIN:?the path of brevlin}"
unset BREVLIN_UI_LANGUAGE LC_ALL LC_MESSAGES LANGUAGE

start_display
start_tray

# The program's window of that title, read from _NET_WM_NAME: under a locale that is not
# installed (ja_JP.UTF-8 on a test machine) Qt writes the older WM_NAME, which xdotool reads,
# in the C locale, without the Japanese.
titled() {
    xwininfo -root -tree | grep -F "\"$1\": (\"brevlin-glosser\"" | awk '{ print $1 }' | head -1
}

# LANG, then the titles of the help window, the about box and the options dialog, and what
# brevlin says of a missing file. The locale is the programs' alone: the test's own tools read
# window names in the machine's (a locale that is not installed would garble them).
check() {
    LANG=$1 "$GLOSSER" >>"$WORK/app.log" 2>&1 &
    APP_PID=$!
    wait_for "$PATIENCE" has_icon || fail "LANG=$1: no tray icon"
    open_menu 3
    menu_keys h
    wait_for "$PATIENCE" titled "$2" || fail "LANG=$1: no help window \"$2\""
    xdotool windowfocus --sync "$(titled "$2")" key Escape
    open_menu 3
    menu_keys a
    wait_for "$PATIENCE" titled "$3" || fail "LANG=$1: no about box \"$3\""
    xdotool windowfocus --sync "$(titled "$3")" key Escape
    wait_for "$PATIENCE" not titled "$3" || fail "LANG=$1: the about box stayed"
    open_menu 3
    menu_keys o
    wait_for "$PATIENCE" titled "$4" || fail "LANG=$1: no options dialog \"$4\""
    xdotool windowfocus --sync "$(titled "$4")" key Escape
    wait_for "$PATIENCE" not titled "$4" || fail "LANG=$1: the options dialog stayed"
    open_menu 3
    menu_keys x
    wait_for "$PATIENCE" not app_running || fail "LANG=$1: exit did not end the program"
    wait "$APP_PID" || fail "LANG=$1: the program ended with an error"

    (cd "$WORK" && LANG=$1 "$BREVLIN" import missing.bvl 2>"$WORK/err") &&
        fail "LANG=$1: imported nothing"
    [ "$(cat "$WORK/err")" = "brevlin: $5" ] || fail "LANG=$1: brevlin said $(cat "$WORK/err")"
}

check en_US.UTF-8 "Brevlin Glosser Help" "About Brevlin Glosser" "Options - Brevlin Glosser" \
    "File not found: missing.bvl"
check C.UTF-8 "Brevlin Glosser Help" "About Brevlin Glosser" "Options - Brevlin Glosser" \
    "File not found: missing.bvl"
check ja_JP.UTF-8 "Brevlin Glosser ヘルプ" "バージョン情報 - Brevlin Glosser" \
    "オプション - Brevlin Glosser" "ファイルが見つかりません。: missing.bvl"
echo "interface language: ok"
