#!/usr/bin/env bash
# The options dialog as a user drives it with the keyboard alone: opened by a second start,
# a new language named, given a keyword and its tags, OK pressed with Enter. The language is
# then in the settings file and converts from the tray menu; a cancelled edit is not. The
# dialog made larger opens again at that size.
source "$(dirname "$0")/lib.sh"

start_display
start_tray
start_app

second_start_options

# Made larger as a window manager does it, the dialog takes the size; the next opening, after
# OK, keeps it.
size_of() {
    xwininfo -id "$(options_open)" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }'
}
size_is() {
    [ "$(size_of)" = "$1" ]
}
larger=$(size_of | awk -Fx '{ print $1 + 160 "x" $2 + 120 }')
xdotool windowsize "$(options_open)" "${larger%x*}" "${larger#*x}"
wait_for "$PATIENCE" size_is "$larger" || fail "the options dialog is $(size_of), not $larger"

keys alt+a # 新規(&A): a new language, its name selected in the name box
wait_for "$PATIENCE" box_holds "新しい言語1" || fail "no new language's name to type over"
typed "Tiny"
keys alt+w # 新規(&W): a new keyword, edited in place
wait_for "$PATIENCE" box_holds "新規キーワード1" || fail "no new keyword to type over"
typed "int"
keys Return
keys alt+h # 開始HTMLタグ(&H)
typed "<b>"
keys alt+m # 終了HTMLタグ(&M)
typed "</b>"
keys Return # OK
wait_for "$PATIENCE" not options_open || fail "Enter did not close the options with OK"

grep -q '^@="Tiny"' "$BREVLIN_SETTINGS" || fail "the new language is not in the settings file"
grep -q '^"LangCount"=dword:00000001' "$BREVLIN_SETTINGS" || fail "LangCount is not 1"
grep -q '^"StartTag"="<b>"' "$BREVLIN_SETTINGS" || fail "the start tag is not stored"
[ "$("$BREVLIN" list)" = "Tiny" ] || fail "brevlin list does not show the new language"

# The tray menu offers it: its first entry converts with the new language.
clip_set 'int x;'
open_menu 1
menu_keys Down Return
wait_for "$PATIENCE" clip_is '<b>int</b> x;' || fail "the menu entry did not convert with Tiny: $(clip_get)"

# A language added and then cancelled leaves neither the file nor the menu.
before=$(md5sum <"$BREVLIN_SETTINGS")
second_start_options
wait_for "$PATIENCE" size_is "$larger" || fail "the options dialog opened again at $(size_of), not $larger"
primary_reset # the first dialog's new language had the same default name
keys alt+a
wait_for "$PATIENCE" box_holds "新しい言語1" || fail "no new language's name to type over"
typed "Gone"
keys Escape
wait_for "$PATIENCE" not options_open || fail "Escape did not close the options"
[ "$(md5sum <"$BREVLIN_SETTINGS")" = "$before" ] || fail "cancelling changed the settings file"
[ "$("$BREVLIN" list)" = "Tiny" ] || fail "the cancelled language was stored"
clip_set 'int y;'
open_menu 1
menu_keys Down Return
wait_for "$PATIENCE" clip_is '<b>int</b> y;' || fail "the menu changed after cancelling: $(clip_get)"
echo "options dialog: ok"
