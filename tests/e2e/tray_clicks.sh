#!/usr/bin/env bash
# Clicks on the real tray icon: a double click of either button opens the options and no
# menu; while the options are open, clicks on the icon do nothing.
source "$(dirname "$0")/lib.sh"

start_display
start_tray
start_app
read -r x y < <(icon_centre)
close_options() {
    xdotool windowfocus --sync "$(window_named "オプション - Brevlin Glosser")" key Escape
    wait_for "$PATIENCE" not options_open || fail "the options window did not close"
}

for button in 1 3; do
    click_note "double click $button at $x,$y on $(icon_state)"
    xdotool mousemove "$x" "$y" click --repeat 2 --delay 80 "$button"
    wait_for "$PATIENCE" options_open || fail "a double click of button $button did not open the options"
    sleep 1 # past the double-click interval: a stray single click would show its menu now
    not menu_open || fail "a double click of button $button also opened a menu"

    xdotool mousemove "$x" "$y" click 1
    sleep 1
    xdotool mousemove "$x" "$y" click 3
    sleep 1
    not menu_open || fail "a click opened a menu while the options were open"
    close_options
done

# Once the options are closed, the icon answers again.
open_menu 3
menu_keys Escape
echo "tray clicks: ok"
