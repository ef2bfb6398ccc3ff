#!/usr/bin/env bash
# Started before the panel (as autostart often is), the program waits for a notification
# area and puts its icon there once one appears; it serves a second start meanwhile.
source "$(dirname "$0")/lib.sh"

start_display
"$GLOSSER" >>"$WORK/app.log" 2>&1 &
APP_PID=$!
wait_for "$PATIENCE" test -S "$XDG_RUNTIME_DIR/brevlin-glosser.socket" || fail "the program did not start"
sleep 1
app_running || fail "the program ended without a notification area"

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
