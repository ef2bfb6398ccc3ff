#!/usr/bin/env bash
# The tray of desktops without an XEmbed notification area: a StatusNotifierItem host on a
# private session bus, driven only through the protocol and the real clipboard. Started
# before any host, the program waits; once the host is there, its clicks, double clicks,
# middle clicks and context-menu requests work as on the XEmbed tray, and the exported
# command menu holds the four entries and works without the program's own pop-up.
source "$(dirname "$0")/lib.sh"

start_display
start_bus
start_app_waiting

start_sni_host
wait_for "$PATIENCE" has_sni_item || fail "no item after the host appeared"
[ "$(sni_item_count)" -eq 1 ] || fail "expected one item"
[ "$(icon_count)" -eq 0 ] || fail "an XEmbed icon beside the item"

# What the host reads: the tooltip, the icon images and the menu.
# (No language is stored: the tooltip says how to get one.)
[ "$(sni prop ToolTip)" = "|Brevlin Glosser - 言語がありません (オプションでインポート)|" ] ||
    fail "tooltip: $(sni prop ToolTip)"
[ "$(sni prop Title)" = "Brevlin Glosser - 言語がありません (オプションでインポート)" ] ||
    fail "title: $(sni prop Title)"
[ "$(sni prop Status)" = "Active" ] || fail "status: $(sni prop Status)"
[ "$(sni prop ItemIsMenu)" = 0 ] || fail "the item claims to be only a menu"
sni prop IconPixmap | grep -q '^16x16/1024 .*32x32/4096' || fail "icon images: $(sni prop IconPixmap)"
expected_menu=$(printf '%s\n' \
    $'standard\tオプション(_O)....\tTrue' $'standard\t変換を元に戻す(_U)\tFalse' $'separator\t\tTrue' $'standard\tヘルプ(_H)\tTrue' \
    $'standard\tBrevlin Glosserについて(_A)...\tTrue' $'separator\t\tTrue' $'standard\t閉じる(_X)\tTrue')
exported_menu() {
    sni menu | cut -f2-4
}
[ "$(exported_menu)" = "$expected_menu" ] || fail "exported menu:
$(exported_menu)"

close_options() {
    xdotool windowfocus --sync "$(window_named "オプション - Brevlin Glosser")" key Escape
    wait_for "$PATIENCE" not options_open || fail "the options window did not close"
}

# Left click: the language menu at the reported point.
sni call Activate 300 200
wait_for "$PATIENCE" menu_open || fail "Activate did not open the language menu"
menu_keys Escape

# Two activations within the double-click time, and a middle click: the options, no menu.
sni twice Activate 300 200
wait_for "$PATIENCE" options_open || fail "a double activation did not open the options"
sleep 1 # past the double-click interval: a stray single click would show its menu now
not menu_open || fail "a double activation also opened a menu"
# While the options are open the item ignores clicks and the exported entries are disabled.
sni call Activate 300 200
sni call ContextMenu 300 200
sleep 1
not menu_open || fail "a click opened a menu while the options were open"
[ -z "$(sni menu | awk -F'\t' '$2 == "standard" && $4 == "True"')" ] ||
    fail "exported entries enabled while the options are open"
sni click "Brevlin Glosserについて(_A)..."
sleep 0.5
[ -z "$(window_named "バージョン情報 - Brevlin Glosser")" ] || fail "a disabled exported entry worked"
close_options

sni call SecondaryActivate 300 200
wait_for "$PATIENCE" options_open || fail "SecondaryActivate did not open the options"
sleep 1
not menu_open || fail "SecondaryActivate also opened a menu"
close_options
[ "$(exported_menu)" = "$expected_menu" ] || fail "exported entries not enabled again"

# Context menu: the program's own command menu; its first entry opens the options.
sni call ContextMenu 300 200
wait_for "$PATIENCE" menu_open || fail "ContextMenu did not open the command menu"
menu_keys Down Return
wait_for "$PATIENCE" options_open || fail "the command menu's first entry did not open the options"
close_options

# The exported menu, chosen through the host: options, help, about, exit.
sni click "オプション(_O)...."
wait_for "$PATIENCE" options_open || fail "the exported options entry did not work"
close_options
sni click "ヘルプ(_H)"
wait_for "$PATIENCE" window_named "Brevlin Glosser ヘルプ" || fail "the exported help entry did not work"
sni click "Brevlin Glosserについて(_A)..."
wait_for "$PATIENCE" window_named "バージョン情報 - Brevlin Glosser" || fail "the exported about entry did not work"
xdotool windowfocus --sync "$(window_named "バージョン情報 - Brevlin Glosser")" key Escape
wait_for "$PATIENCE" not window_named "バージョン情報 - Brevlin Glosser" || fail "the about box did not close"
sni click "閉じる(_X)"
wait_for "$PATIENCE" not app_running || fail "the exported exit entry did not end the program"
wait "$APP_PID" || fail "the program ended with an error"
wait_for "$PATIENCE" grep -q '^unregistered ' "$WORK/host.log" || fail "the item outlived the program"
[ -z "$(window_named "Brevlin Glosser ヘルプ")" ] || fail "the help window outlived the program"
echo "StatusNotifierItem tray: ok"
