#!/usr/bin/env bash
# One icon per user: a second start opens the options of the running instance; a running
# instance that does not answer is reported, never doubled; exit removes the icon; a killed
# instance's lock does not block the next start.
source "$(dirname "$0")/lib.sh"

start_display
start_tray
start_app
[ "$(icon_count)" -eq 1 ] || fail "expected one icon"

# A second start hands over and ends at once.
"$GLOSSER" || fail "the second start failed"
wait_for "$PATIENCE" window_named "オプション - Brevlin Glosser" || fail "no options window after a second start"
[ "$(icon_count)" -eq 1 ] || fail "a second start added an icon"
app_running || fail "the first instance ended"
options=$(window_named "オプション - Brevlin Glosser")
xdotool windowfocus --sync "$options" key Escape
wait_for "$PATIENCE" not window_named "オプション - Brevlin Glosser" || fail "the options window did not close"

# A running instance that does not answer: the further start reports it and ends.
kill -STOP "$APP_PID"
"$GLOSSER" >>"$WORK/second.log" 2>&1 &
second=$!
wait_for "$PATIENCE" window_named "Brevlin Glosser" || fail "no error message from the further start"
[ "$(icon_count)" -eq 1 ] || fail "the further start added an icon"
box=$(window_named "Brevlin Glosser")
xdotool windowfocus --sync "$box" key Return
status=0
wait "$second" || status=$?
[ "$status" -eq 1 ] || fail "the further start ended with $status, not 1"
kill -CONT "$APP_PID"
# Woken up, the instance still serves the request that waited for it.
wait_for "$PATIENCE" window_named "オプション - Brevlin Glosser" || fail "the woken instance lost the request"
options=$(window_named "オプション - Brevlin Glosser")
xdotool windowfocus --sync "$options" key Escape
wait_for "$PATIENCE" not window_named "オプション - Brevlin Glosser" || fail "the options window did not close"

# Exit from the right-click menu ends the process and removes the icon.
open_menu 3
menu_keys x
wait_for "$PATIENCE" not app_running || fail "exit did not end the program"
wait "$APP_PID" || fail "the program ended with an error"
wait_for "$PATIENCE" not has_icon || fail "the icon stayed after exit"
[ ! -e "$XDG_RUNTIME_DIR/brevlin-glosser.socket" ] || fail "the socket stayed after exit"

# A killed instance leaves its lock and socket; the next start takes them over.
start_app
kill -KILL "$APP_PID"
{ wait "$APP_PID"; } 2>/dev/null || true
[ -e "$XDG_RUNTIME_DIR/brevlin-glosser.lock" ] || fail "the killed instance left no lock to test with"
wait_for "$PATIENCE" not has_icon || fail "the killed instance's icon stayed"
start_app
[ "$(icon_count)" -eq 1 ] || fail "expected one icon after the restart"
"$GLOSSER" || fail "the restarted instance did not answer"
wait_for "$PATIENCE" window_named "オプション - Brevlin Glosser" || fail "the restarted instance did not open its options"
echo "single instance: ok"
