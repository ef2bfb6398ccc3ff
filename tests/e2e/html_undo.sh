#!/usr/bin/env bash
# The HTML flavour and the undo of a conversion on the real clipboard: switched on in the
# options by keyboard, a conversion puts text/html beside the text, styled with the paste style
# sheet chosen, as `brevlin convert --inline-styles` writes it; "変換を元に戻す(&U)" in the
# right-click menu puts back what was there, and only while the result is still there. A
# chosen sheet that cannot be read leaves the bundled one to style the paste and is told once,
# as a desktop notification.
source "$(dirname "$0")/lib.sh"

start_focus_report

"$BREVLIN" import "$E2E_DIR/../../languages/c.bvl" >/dev/null || fail "could not import C"
printf '.kw { color: #123456 }' >"$WORK/mine.css"
sed -i "s|^\[HKEY_CURRENT_USER\\\\Software\\\\Morvane\\\\Brevlin\]\$|&\n\"PasteStyleSheet\"=\"$WORK/mine.css\"|" \
    "$BREVLIN_SETTINGS"
grep -q '^"PasteStyleSheet"=' "$BREVLIN_SETTINGS" || fail "the style sheet is not stored"
start_display
start_bus
/usr/bin/python3 "$E2E_DIR/notify_server.py" --log "$WORK/notify.log" >>"$WORK/host.err" 2>&1 &
PIDS+=($!)
wait_for "$PATIENCE" grep -q '^serving' "$WORK/notify.log" || fail "the notification service did not start"
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
[ "$html" = "$(printf '%s' 'int x = 1 < 2; // "q"' | "$BREVLIN" convert --language C --inline-styles)" ] ||
    fail "text/html is: $html"
case $html in *'<span class="kw" style="color: #123456">int</span>'*) ;; *) fail "not the chosen sheet: $html" ;; esac

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

# The chosen sheet broken: the bundled one styles the paste, and that is told once; after the
# sheet was read again, the same trouble is told again.
convert_c() { # TEXT
    clip_set "$1"
    open_menu 1
    menu_keys Down Return
    wait_for "$PATIENCE" clip_is "$(printf '%s' "$1" | "$BREVLIN" convert --language C)" ||
        fail "no conversion of $1: $(clip_get)"
}
flavour_has() {
    timeout 20 xclip -selection clipboard -t text/html -o | grep -qF "$1"
}
notices() {
    grep '^notify ' "$WORK/notify.log" || true
}
printf '.kw { color: red' >"$WORK/mine.css"
convert_c 'int broken;'
flavour_has '<span class="kw" style="color: #0033b3; font-weight: bold">int</span>' ||
    fail "not the bundled sheet in place of a broken one"
convert_c 'int still_broken;'
printf '.kw { color: #123456 }' >"$WORK/mine.css"
convert_c 'int mended;'
flavour_has '<span class="kw" style="color: #123456">int</span>' || fail "the mended sheet is not used"
printf '.kw { color: red' >"$WORK/mine.css"
convert_c 'int broken_again;'
# Last a trouble of another kind, whose notice comes after all others: one sender's messages
# arrive in order.
rm "$WORK/mine.css"
convert_c 'int gone;'
wait_for "$PATIENCE" grep -q '^notify .*スタイルシートを読めません: ' "$WORK/notify.log" ||
    fail "the sheet gone was not told: $(notices)"
broken="notify Brevlin Glosser|brevlin-glosser|Brevlin Glosser|スタイルシートとして読めません: $WORK/mine.css (1 行目: 「{」を閉じる「}」がありません) HTML 形式には同梱のスタイルシート (brevlin.css) を使いました。"
gone="notify Brevlin Glosser|brevlin-glosser|Brevlin Glosser|スタイルシートを読めません: $WORK/mine.css"
[ "$(notices | sed -n 1p)" = "$broken" ] || fail "first notice: $(notices)"
[ "$(notices | sed -n 2p)" = "$broken" ] || fail "the trouble after the mend was not told again: $(notices)"
case "$(notices | sed -n 3p)" in "$gone"*) ;; *) fail "third notice: $(notices)" ;; esac
[ "$(notices | wc -l)" = 3 ] || fail "not told once each: $(notices)"
echo "html flavour and undo: ok"
