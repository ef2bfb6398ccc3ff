#!/usr/bin/env bash
# Converting the clipboard through a StatusNotifierItem host: the language entries follow
# the clipboard, a chosen language converts it, and the host sees the busy icon while the
# conversion runs and the usual icon after it. The item follows the host: offered once a
# host registers, and again after the watcher restarts.
source "$(dirname "$0")/lib.sh"
: "${STORE_LANGUAGES:?the path of e2e_store_languages}"

cat >"$WORK/beta.bvl" <<'BVL'
[Brevlin]
Version=2.0
[Language]
Name=Beta
StartTag=<b>
EndTag=</b>
IgnoreCase=False
ReplaceTab=False
TabColumns=4
Keywords1=if,int
[Comment1]
ClauseStart="
ClauseEnd="
EscapeChar=\
MatchWord=False
StartTag=<s>
EndTag=</s>
BVL
"$STORE_LANGUAGES" "$WORK/beta.bvl" || fail "could not store the language"

start_display
start_bus
# A watcher without a host yet: nothing to show the item, so the program waits.
start_sni_host --no-host
start_app_waiting
[ "$(sni_item_count)" -eq 0 ] || fail "an item offered while no host is there"
sni host
wait_for "$PATIENCE" has_sni_item || fail "no item after a host registered"
[ "$(sni_item_count)" -eq 1 ] || fail "expected one item"
app_icon=$(sni icon)

# Nothing on the clipboard: the entry is greyed out, so choosing it leaves the menu open.
sni call Activate 300 200
wait_for "$PATIENCE" menu_open || fail "Activate did not open the language menu"
xdotool key Down Return
sleep 0.5
menu_open || fail "a disabled entry closed the menu"
menu_keys Escape

clipboard_changed() {
    [ "$(clip_get; echo .)" != "$1" ]
}
clip_set 'if (a < b) x = "q\"r";'
sni call Activate 300 200
wait_for "$PATIENCE" menu_open || fail "Activate did not open the language menu"
menu_keys Down Return
wait_for "$PATIENCE" clipboard_changed 'if (a < b) x = "q\"r";.' || fail "the clipboard was not converted"
[ "$(clip_get)" = '<b>if</b> (a &lt; b) x = <s>&quot;q\&quot;r&quot;</s>;' ] || fail "converted: $(clip_get)"

# A large text (about 9 MB) keeps the busy icon up long enough for the host to read it.
seq 1 200000 | awk '{ printf "int value%d = \"text %d\"; if (x < %d) {}\n", $1, $1, $1 }' \
    >"$WORK/big.c"
clip_set -f "$WORK/big.c"
: >"$WORK/host.log"
sni call Activate 300 200
wait_for "$PATIENCE" menu_open || fail "Activate did not open the language menu"
menu_keys Down Return
big_converted() {
    clip_get >"$WORK/big.actual" 2>/dev/null && ! cmp -s "$WORK/big.actual" "$WORK/big.c"
}
wait_for $((3 * PATIENCE)) big_converted || fail "the large text was not converted"
wait_for "$PATIENCE" grep -q "^icon $app_icon" "$WORK/host.log" || fail "the icon did not come back"
icons=$(grep '^icon ' "$WORK/host.log" | cut -d' ' -f2 | uniq | tr '\n' ' ')
busy=$(grep '^icon ' "$WORK/host.log" | cut -d' ' -f2 | grep -v "^$app_icon" | head -1)
[ -n "$busy" ] || fail "the host never saw the busy icon: $icons"
[ "$icons" = "$busy $app_icon " ] || fail "icons seen by the host: $icons"

# The watcher restarts: the item is offered again, once.
kill "$HOST_PID"
wait_for "$PATIENCE" not sni items || fail "the watcher did not end"
start_sni_host
wait_for "$PATIENCE" has_sni_item || fail "no item after the watcher restarted"
sleep 1
[ "$(sni_item_count)" -eq 1 ] || fail "expected one item after the restart"
[ "$(sni icon)" = "$app_icon" ] || fail "another icon after the restart"
sni call ContextMenu 300 200
wait_for "$PATIENCE" menu_open || fail "ContextMenu did not work after the restart"
menu_keys Escape
echo "StatusNotifierItem conversion: ok (icons seen: $icons)"
