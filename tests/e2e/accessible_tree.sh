#!/usr/bin/env bash
# What a screen reader reads, over the real AT-SPI bus: the options dialog on both pages, the
# rule editor and the tray's command menu, each control named and, where it has context help,
# described.
source "$(dirname "$0")/lib.sh"

/usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null ||
    { echo "no AT-SPI client library here"; exit 77; }
start_display
start_bus # the accessibility bus is started from the session bus on demand
start_tray
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
"$BREVLIN" import "$E2E_DIR/../../languages/c.bvl" >/dev/null || fail "could not import C"
start_app
tree() {
    timeout 120 /usr/bin/python3 "$E2E_DIR/a11y_tree.py" brevlin-glosser "$@" >"$WORK/tree.txt" 2>&1 ||
        { cat "$WORK/tree.txt" >&2; fail "the accessible tree of $* is not complete"; }
}

second_start_options
tree "オプション - Brevlin Glosser"
grep -q '^        check box | HTML形式でもクリップボードに置く(H) | オンにすると' "$WORK/tree.txt" ||
    fail "the general page is not read with its help"
keys ctrl+Tab
keys alt+n
tree "オプション - Brevlin Glosser"
grep -q 'tree | コメント／リテラル(C) | コメントや文字列の規則' "$WORK/tree.txt" || fail "the rule list is not read"
keys alt+c Insert
wait_for "$PATIENCE" window_named "コメント／リテラルの設定" || fail "no rule editor"
tree "コメント／リテラルの設定"
xdotool key Escape
wait_for "$PATIENCE" not window_named "コメント／リテラルの設定" || fail "the rule editor did not close"
keys Tab Escape # out of the rule list, whose Escape is its own
wait_for "$PATIENCE" not options_open || fail "the options did not close"

# A pop-up menu is not among the program's windows; a screen reader learns of it when one of
# its entries takes the focus.
menu_tree() { # BUTTON
    : >"$WORK/tree.txt"
    timeout 60 /usr/bin/python3 "$E2E_DIR/a11y_tree.py" brevlin-glosser --menu >"$WORK/tree.txt" 2>&1 &
    local reader=$!
    wait_for "$PATIENCE" grep -q '^listening' "$WORK/tree.txt" || fail "the reader did not start"
    open_menu "$1"
    xdotool key Down
    wait "$reader" || { cat "$WORK/tree.txt" >&2; fail "the menu of button $1 is not read whole"; }
    menu_keys Escape
}
menu_tree 3
grep -q 'menu item | 閉じる(X) | Brevlin Glosser を終了' "$WORK/tree.txt" || fail "the command menu is not described"
clip_set 'int x;'
menu_tree 1
grep -q 'menu item | C | クリップボードのテキストを「C」の設定で' "$WORK/tree.txt" || fail "the language menu is not described"
echo "accessible tree: ok"
