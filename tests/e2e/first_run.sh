#!/usr/bin/env bash
# A first start with no languages: the program says once, as a desktop notification (the tray
# icon's balloon where there is no notification service), how to import one, and its tooltip
# says so while there is none. A language that `brevlin import`
# stores while the program runs is in the menu at once, without a restart, and converts the
# clipboard; the tooltip is the program's name again. The settings are where a new user's are,
# in folders that the first import makes.
source "$(dirname "$0")/lib.sh"
: "${BREVLIN:?the path of brevlin}"
unset BREVLIN_SETTINGS
store=$XDG_CONFIG_HOME/Morvane/Brevlin/settings.reg

start_display

# Without a notification service (no session bus at all), the tray icon's own balloon.
balloon_shown() {
    local w
    for w in $(xdotool search --onlyvisible --classname brevlin-glosser 2>/dev/null); do
        xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q TOOLTIP || continue
        [ "$(xwininfo -id "$w" | awk '/Width:/ { print $2 }')" -gt 100 ] && return 0
    done
    return 1
}
start_tray
start_app
wait_for "$PATIENCE" balloon_shown || fail "no balloon at a first start without a notification service"
open_menu 3
menu_keys x
wait_for "$PATIENCE" not app_running || fail "exit did not end the program"
kill "$TRAY_PID"

start_bus
/usr/bin/python3 "$E2E_DIR/notify_server.py" --log "$WORK/notify.log" >>"$WORK/host.err" 2>&1 &
PIDS+=($!)
wait_for "$PATIENCE" grep -q '^serving' "$WORK/notify.log" || fail "the notification service did not start"
start_sni_host
"$GLOSSER" >>"$WORK/app.log" 2>&1 &
APP_PID=$!
wait_for "$PATIENCE" has_sni_item || fail "no item on the tray host"

notices() {
    grep -c '^notify ' "$WORK/notify.log" || true
}
wait_for "$PATIENCE" grep -q '^notify ' "$WORK/notify.log" || fail "no notification at the first start"
notice=$(grep '^notify ' "$WORK/notify.log")
case "$notice" in
"notify Brevlin Glosser|brevlin-glosser|Brevlin Glosser|"*インポート*languages) ;;
*) fail "notification: $notice" ;;
esac
no_language="|Brevlin Glosser - 言語がありません (オプションでインポート)|"
[ "$(sni prop ToolTip)" = "$no_language" ] || fail "tooltip without languages: $(sni prop ToolTip)"

# Imported from a terminal while the program runs: in the menu at once.
[ ! -e "$XDG_CONFIG_HOME/Morvane" ] || fail "the settings folder is there before any import"
"$BREVLIN" import "$E2E_DIR/../../languages/c.bvl" || fail "the import failed"
[ -f "$store" ] || fail "the import did not store the language in $store"
tooltip_is() {
    [ "$(sni prop ToolTip)" = "$1" ]
}
wait_for "$PATIENCE" tooltip_is "|Brevlin Glosser|" || fail "the tooltip still says: $(sni prop ToolTip)"
clip_set 'int x; // note'
sni call Activate 300 200
wait_for "$PATIENCE" menu_open || fail "Activate did not open the language menu"
menu_keys Down Return
wait_for "$PATIENCE" clip_is '<span class="kw">int</span> x; <span class="cm">// note</span>' ||
    fail "the imported language did not convert: $(clip_get)"

# Said once: not again for the import, nor at a later start that has languages.
sni click "閉じる(_X)"
wait_for "$PATIENCE" not app_running || fail "the program did not end"
"$GLOSSER" >>"$WORK/app.log" 2>&1 &
APP_PID=$!
wait_for "$PATIENCE" has_sni_item || fail "no item after the second start"
wait_for "$PATIENCE" tooltip_is "|Brevlin Glosser|" || fail "tooltip with a language: $(sni prop ToolTip)"
sleep 1
[ "$(notices)" -eq 1 ] || fail "notifications: $(cat "$WORK/notify.log")"
echo "first run: ok"
