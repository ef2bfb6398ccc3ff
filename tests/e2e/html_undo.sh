#!/usr/bin/env bash
# The HTML flavour and the undo of a conversion on the real clipboard: switched on in the
# options by keyboard, a conversion puts text/html beside the text; "変換を元に戻す(&U)" in the
# right-click menu puts back what was there, and only while the result is still there.
source "$(dirname "$0")/lib.sh"

start_focus_report

"$BREVLIN" import "$E2E_DIR/../../languages/c.bvl" >/dev/null || fail "could not import C"
start_display
start_tray
start_app

# Off by default: the text alone.
clip_set 'int main(void);'
open_menu 1
menu_keys Down Return
expected=$(printf '%s' 'int main(void);' | "$BREVLIN" convert --language C)
wait_for "$PATIENCE" clip_is "$expected" || fail "no conversion: $(clip_get)"
xclip -selection clipboard -t TARGETS -o | grep -qx text/html && fail "text/html offered while off"

second_start_options
# To the switch "HTML形式でもクリップボードに置く(&H)" and Space, which toggles it at once
# (its access key would click a moment later, perhaps after the Enter).
wait_for "$PATIENCE" focus_is frmOptions/tbsOptions || fail "the options window has no focus"
walk frmOptions/chkHtmlClipboard Tab Tab Tab
xdotool key space Return
wait_for "$PATIENCE" not options_open || fail "OK did not close the options"
grep -q '^"HtmlClipboard"=dword:ffffffff' "$BREVLIN_SETTINGS" || fail "the switch is not stored"

clip_set 'int x = 1 < 2; // "q"'
open_menu 1
menu_keys Down Return
expected=$(printf '%s' 'int x = 1 < 2; // "q"' | "$BREVLIN" convert --language C)
wait_for "$PATIENCE" clip_is "$expected" || fail "no conversion with the flavour on: $(clip_get)"
html=$(timeout 20 xclip -selection clipboard -t text/html -o)
[ "$html" = "<meta charset=\"utf-8\"><pre>$expected</pre>" ] || fail "text/html is: $html"

# Undo: the text before the conversion is back.
open_menu 3
menu_keys u
wait_for "$PATIENCE" clip_is 'int x = 1 < 2; // "q"' || fail "undo did not restore: $(clip_get)"

# Once something else was copied, the entry is disabled: its key does nothing.
open_menu 1
menu_keys Down Return
wait_for "$PATIENCE" clip_is "$expected" || fail "no second conversion: $(clip_get)"
clip_set 'copied later'
open_menu 3
xdotool key u
sleep 1
menu_keys Escape
clip_is 'copied later' || fail "undo replaced what was copied later: $(clip_get)"
echo "html flavour and undo: ok"
