#!/usr/bin/env bash
# Started before the panel (as autostart often is), the program waits for a notification
# area and puts its icon there once one appears; it serves a second start meanwhile.
source "$(dirname "$0")/lib.sh"

start_display
start_app_waiting

start_tray
wait_for "$PATIENCE" has_icon || fail "no icon after the notification area appeared"
[ "$(icon_count)" -eq 1 ] || fail "expected one icon"

# The notification area restarts: the icon comes back once.
kill "$TRAY_PID"
wait_for "$PATIENCE" not tray_present || fail "trayer did not end"
start_tray
wait_for "$PATIENCE" has_icon || fail "no icon after the notification area restarted"
[ "$(icon_count)" -eq 1 ] || fail "expected one icon after the restart"

"$GLOSSER" || fail "the second start failed"
wait_for "$PATIENCE" window_named "オプション - Brevlin Glosser" || fail "no options window"
echo "late tray: ok"
