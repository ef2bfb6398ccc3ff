#!/usr/bin/env bash
# Help and about box from the right-click menu: the help window opens on the start page,
# closes with Escape, and closes when the program exits; the about box closes with Escape and
# Enter and the tray answers again afterwards. Run against the build tree and against the
# installed package.
source "$(dirname "$0")/lib.sh"

start_display
start_tray
start_app

open_menu 3
menu_keys h
wait_for "$PATIENCE" window_named "Brevlin Glosser ヘルプ" || fail "the help window did not open on its start page"
xdotool windowfocus --sync "$(window_named "Brevlin Glosser ヘルプ")" key Escape
wait_for "$PATIENCE" not window_named "Brevlin Glosser ヘルプ" || fail "Escape did not close the help window"
open_menu 3
menu_keys h
wait_for "$PATIENCE" window_named "Brevlin Glosser ヘルプ" || fail "the help window did not open again"

for key in Escape Return; do
    open_menu 3
    menu_keys a
    wait_for "$PATIENCE" window_named "バージョン情報 - Brevlin Glosser" || fail "the about box did not open"
    about=$(window_named "バージョン情報 - Brevlin Glosser")
    xdotool windowfocus --sync "$about" key "$key"
    wait_for "$PATIENCE" not window_named "バージョン情報 - Brevlin Glosser" || fail "$key did not close the about box"
done

# The tray answers again, and exit closes the help window with the program.
open_menu 3
menu_keys x
wait_for "$PATIENCE" not app_running || fail "exit did not end the program"
wait "$APP_PID" || fail "the program ended with an error"
[ -z "$(window_named "Brevlin Glosser ヘルプ")" ] || fail "the help window outlived the program"
echo "help and about: ok"
