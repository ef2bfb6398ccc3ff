#!/usr/bin/env bash
# A Wayland session with XWayland (weston, nested in the test's X display so that it has a
# seat) and a StatusNotifierItem host: the program picks XWayland by itself, a conversion
# replaces the clipboard that Wayland clients read, again and again.
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
BVL
"$STORE_LANGUAGES" "$WORK/beta.bvl" || fail "could not store the language"

start_display
weston --backend=x11-backend.so --use-pixman --xwayland --socket=wayland-e2e --idle-time=0 \
    --width=1024 --height=768 >"$WORK/weston.log" 2>&1 &
PIDS+=($!)
xwayland_display() {
    grep -o 'xserver listening on display :[0-9]*' "$WORK/weston.log" | grep -o ':[0-9]*$'
}
wait_for "$PATIENCE" xwayland_display || fail "weston did not start: $(cat "$WORK/weston.log")"
export DISPLAY=$(xwayland_display) WAYLAND_DISPLAY=wayland-e2e XDG_SESSION_TYPE=wayland
wait_for "$PATIENCE" xdpyinfo || fail "XWayland did not start"
start_bus
start_sni_host
"$GLOSSER" >>"$WORK/app.log" 2>&1 &
APP_PID=$!
wait_for "$PATIENCE" has_sni_item || fail "no item in the Wayland session"

wl_is() {
    [ "$(wl-paste --no-newline)" = "$1" ]
}
wl-copy 'if (a < b) int c;'
wait_for "$PATIENCE" wl_is 'if (a < b) int c;' || fail "wl-copy did not take the clipboard"
sni call Activate 300 200
wait_for "$PATIENCE" menu_open || fail "Activate did not open the language menu"
menu_keys Down Return
wait_for "$PATIENCE" wl_is '<b>if</b> (a &lt; b) <b>int</b> c;' ||
    fail "a Wayland client did not read the converted text: $(wl-paste)"

# A text a Wayland client copies next is converted as well.
wl-copy 'int x;'
wait_for "$PATIENCE" clip_is 'int x;' || fail "XWayland did not take the Wayland client's text"
sni call Activate 300 200
wait_for "$PATIENCE" menu_open || fail "Activate did not open the language menu"
menu_keys Down Return
wait_for "$PATIENCE" wl_is '<b>int</b> x;' || fail "the next conversion did not go through: $(wl-paste)"
echo "wayland session: ok"
