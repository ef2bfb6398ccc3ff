#!/usr/bin/env bash
# A settings file that cannot be read: the program says so and ends, without an icon, and
# the file stays as it was (nothing is saved over it).
source "$(dirname "$0")/lib.sh"

printf 'Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Morvane\\Brevlin]\n"LangCount"=dword:nonsense\n' \
    >"$BREVLIN_SETTINGS"
cp "$BREVLIN_SETTINGS" "$WORK/original"

start_display
start_tray
"$GLOSSER" >>"$WORK/app.log" 2>&1 &
APP_PID=$!
wait_for "$PATIENCE" window_named "Brevlin Glosser" || fail "no message about the settings"
[ "$(icon_count)" -eq 0 ] || fail "an icon was shown"
box=$(window_named "Brevlin Glosser")
xdotool windowfocus --sync "$box" key Return
status=0
wait "$APP_PID" || status=$?
[ "$status" -eq 1 ] || fail "ended with $status, not 1"
cmp -s "$BREVLIN_SETTINGS" "$WORK/original" || fail "the settings file was changed"
[ ! -e "$XDG_RUNTIME_DIR/brevlin-glosser.socket" ] || fail "the socket stayed"

# Mended, the next start runs normally.
rm "$BREVLIN_SETTINGS"
start_app
echo "bad settings: ok"
