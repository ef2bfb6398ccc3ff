# Shared set-up of the whole-program tests: a private X display with trayer as the
# notification area, a private runtime directory and settings file, and helpers that act
# as a user would (click the icon, type into menus, use the clipboard).
# Sourced by the test scripts; $GLOSSER is the program under test.

set -euo pipefail

: "${GLOSSER:?the path of brevlin-glosser}"
WORK=$(mktemp -d)
export XDG_RUNTIME_DIR=$WORK/runtime
export XDG_CONFIG_HOME=$WORK/config
export BREVLIN_SETTINGS=$WORK/settings.reg
export HOME=$WORK/home
# The tests read the program's Japanese captions, whatever the machine's language.
export BREVLIN_UI_LANGUAGE=ja
# What the tray icon received and decided, shown when a test fails.
# E2E_REPORT_DIR keeps it after the test, named after the test.
export BREVLIN_CLICK_REPORT=$WORK/clicks.log
if [ -n "${E2E_REPORT_DIR:-}" ]; then
    BREVLIN_CLICK_REPORT=$E2E_REPORT_DIR/$(basename "$0" .sh).clicks.log
    : >"$BREVLIN_CLICK_REPORT"
fi
mkdir -m 700 "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME" "$HOME"
unset WAYLAND_DISPLAY XDG_SESSION_TYPE QT_QPA_PLATFORM SESSION_MANAGER
# No session bus unless a test starts its own: the desktop's tray host must not answer.
unset DBUS_SESSION_BUS_ADDRESS
E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export QT_LOGGING_RULES="*.debug=false;qt.qpa.*=false"

PIDS=()
APP_PID=
# How long one step may take on a slow, busy machine. Every wait polls for its condition,
# so a fast machine never waits this long.
PATIENCE=${E2E_PATIENCE:-60}

cleanup() {
    local status=$?
    for pid in $APP_PID "${PIDS[@]}"; do
        kill -CONT "$pid" 2>/dev/null || true
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$WORK"
    exit $status
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    if [ -n "${DISPLAY:-}" ]; then
        xwininfo -root -tree >&2 || true
    fi
    [ -f "$WORK/app.log" ] && sed 's/^/app: /' "$WORK/app.log" >&2
    [ -s "$WORK/tray.log" ] && sed 's/^/trayer: /' "$WORK/tray.log" >&2
    if [ -s "$BREVLIN_CLICK_REPORT" ]; then
        sed 's/^/clicks: /' "$BREVLIN_CLICK_REPORT" >&2
    else
        echo "clicks: the icon received nothing" >&2
    fi
    [ -f "$WORK/host.log" ] && sed 's/^/host: /' "$WORK/host.log" >&2
    [ -f "$WORK/host.err" ] && sed 's/^/host error: /' "$WORK/host.err" >&2
    exit 1
}

# Waits up to $1 seconds for the command in the remaining arguments to succeed.
wait_for() {
    local deadline=$((SECONDS + $1))
    shift
    while ! "$@" >/dev/null 2>&1; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.1
    done
}

not() {
    ! "$@"
}

# A receiver or tool that the test needs is not installed: the test is skipped on a developer's
# machine, but fails in CI, where scripts/setup.sh installs it, so it can never pass unrun.
missing() { # WHAT
    [ "${CI:-}" != true ] || fail "$1 here, though scripts/setup.sh test installs it"
    echo "$1 here: skipped"
    exit 77
}

# -noreset: by default the server resets when its last client leaves, and a client connecting
# meanwhile is refused ("cannot open display"). Every poll here is such a client, so trayer or
# the program, started just after one, now and then failed to connect on a busy machine.
start_display() {
    local fifo=$WORK/displayfd
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
    PIDS+=($!)
    local number
    read -r number <"$fifo"
    export DISPLAY=:$number
    wait_for "$PATIENCE" xdpyinfo || fail "no X display"
}

# trayer's panel on the top edge: at the right, as wide as its icons, or with TRAY_WIDTH=N at
# the left, N pixels wide whatever it holds.
start_tray() {
    local place=(--align right --widthtype request)
    [ -z "${TRAY_WIDTH:-}" ] || place=(--align left --widthtype pixel --width "$TRAY_WIDTH")
    trayer --edge top "${place[@]}" --height 24 --iconspacing 2 \
        >>"$WORK/tray.log" 2>&1 &
    TRAY_PID=$!
    PIDS+=($TRAY_PID)
    wait_for "$PATIENCE" tray_up && tray_present || fail "trayer did not start"
}

# trayer's panel is there, or trayer has ended (then the wait stops at once).
tray_up() {
    kill -0 "$TRAY_PID" 2>/dev/null || return 0
    tray_present
}

tray_present() {
    xwininfo -root -tree | grep -q '"panel": ("panel" "trayer")'
}

# The program's icon windows embedded in the notification area, one id a line.
icon_windows() {
    xwininfo -root -tree |
        grep '"brevlin-glosser": ("brevlin-glosser" "brevlin-glosser")  [0-9]*x[0-9]*+0+0' |
        awk '{ print $1 }'
}

# Number of program icons embedded in the notification area.
icon_count() {
    icon_windows | grep -c . || true
}

start_app() {
    "$GLOSSER" >>"$WORK/app.log" 2>&1 &
    APP_PID=$!
    wait_for "$PATIENCE" has_icon || fail "no tray icon"
}

# Starts the program where no tray host is there yet: it must start and keep waiting.
start_app_waiting() {
    "$GLOSSER" >>"$WORK/app.log" 2>&1 &
    APP_PID=$!
    wait_for "$PATIENCE" test -S "$XDG_RUNTIME_DIR/brevlin-glosser.socket" || fail "the program did not start"
    sleep 1
    app_running || fail "the program ended while no tray host was there"
}

# Whether the icon is shown: embedded and mapped. The tray maps a window some time after it
# took it in, and a click before that falls through to the tray, unseen by the program.
has_icon() {
    local w
    for w in $(icon_windows); do
        xwininfo -id "$w" 2>/dev/null | grep -q 'Map State: IsViewable' && return 0
    done
    return 1
}

# The icon windows and their map states, for the click report.
icon_state() {
    local w
    for w in $(icon_windows); do
        printf '%s %s ' "$w" "$(xwininfo -id "$w" 2>/dev/null | sed -n 's/^ *Map State: //p')"
    done
}

# Absolute centre of the program's shown tray icon.
icon_centre() {
    local w
    for w in $(icon_windows); do
        xwininfo -id "$w" 2>/dev/null | awk '
            /Absolute upper-left X:/ { x = $NF } /Absolute upper-left Y:/ { y = $NF }
            /Width:/ { w = $NF } /Height:/ { h = $NF } /Map State: IsViewable/ { shown = 1 }
            END { if (!shown) exit 1; print int(x + w / 2), int(y + h / 2) }' && return 0
    done
    return 1
}

# Open pop-up menus of the program: its visible override-redirect top-level windows other
# than tooltips (the icon is a child of the notification area; dialogs are not
# override-redirect).
menu_count() {
    local count=0 w type
    for w in $(xdotool search --onlyvisible --classname brevlin-glosser 2>/dev/null); do
        xwininfo -id "$w" -children 2>/dev/null |
            grep '^  Parent window id: .*(the root window)' >/dev/null || continue
        xwininfo -id "$w" 2>/dev/null | grep 'Override Redirect State: yes' >/dev/null || continue
        # A tooltip is no menu. One that went meanwhile (the icon's tooltip is hidden and
        # deleted when the options open) has no type left to read and is gone by the last check.
        type=$(xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null) || continue
        case $type in *TOOLTIP*) continue ;; esac
        xwininfo -id "$w" 2>/dev/null | grep 'Map State: IsViewable' >/dev/null || continue
        count=$((count + 1))
    done
    echo "$count"
}

menu_open() {
    [ "$(menu_count)" -gt 0 ]
}

# Clicks the icon with button $1 and waits for the pop-up menu.
open_menu() {
    wait_for "$PATIENCE" not menu_open || fail "a menu is still open"
    read -r x y < <(icon_centre)
    click_note "click $1 at $x,$y on $(icon_state)"
    xdotool mousemove "$x" "$y" click "$1"
    wait_for "$PATIENCE" menu_open || fail "the menu of button $1 did not open"
}

# A line of the test's own in the click report, with the uptime in seconds, so a failure shows
# what was sent between what the program received.
click_note() {
    echo "test $(cut -d' ' -f1 /proc/uptime) s: $*" >>"$BREVLIN_CLICK_REPORT"
}

# Types the keys in the arguments into the open menu and waits for it to close.
menu_keys() {
    xdotool key "$@"
    wait_for "$PATIENCE" not menu_open || fail "the menu did not close after $*"
}

window_named() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1
}

app_running() {
    kill -0 "$APP_PID" 2>/dev/null
}

# Puts text (or with -f, a file) on the clipboard; xclip serves it until someone else owns it.
clip_set() {
    if [ "$1" = -f ]; then
        xclip -selection clipboard -i -quiet "$2" 2>/dev/null &
    else
        printf '%s' "$1" | xclip -selection clipboard -i -quiet 2>/dev/null &
    fi
    PIDS+=($!)
    wait_for "$PATIENCE" xclip -selection clipboard -o || fail "xclip did not take the clipboard"
}

# A transfer that stalls (seen now and then with megabytes over INCR) fails this try only.
clip_get() {
    timeout 20 xclip -selection clipboard -o
}

# Whether the clipboard holds exactly $1 (for wait_for: the clipboard is read on every try).
clip_is() {
    [ "$(clip_get)" = "$1" ]
}

# A private session bus for the StatusNotifierItem tests.
start_bus() {
    local fifo=$WORK/busfd
    mkfifo "$fifo"
    dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$fifo" >/dev/null 2>&1 &
    PIDS+=($!)
    read -r DBUS_SESSION_BUS_ADDRESS <"$fifo"
    export DBUS_SESSION_BUS_ADDRESS
}

# The test's StatusNotifierWatcher and host (arguments: --no-host for a watcher alone).
start_sni_host() {
    : >"$WORK/host.log"
    /usr/bin/python3 "$E2E_DIR/sni_host.py" watch --log "$WORK/host.log" "$@" \
        >>"$WORK/host.err" 2>&1 &
    HOST_PID=$!
    PIDS+=($HOST_PID)
    wait_for "$PATIENCE" grep -q '^watching' "$WORK/host.log" || fail "the tray host did not start"
}

sni() {
    /usr/bin/python3 "$E2E_DIR/sni_host.py" "$@"
}

sni_item_count() {
    sni items 2>/dev/null | grep -c . || true
}

has_sni_item() {
    [ "$(sni_item_count)" -ge 1 ]
}

# The options window and the keyboard in it.

options_open() {
    window_named "オプション - Brevlin Glosser"
}
# A second start, which hands "Option" to the running program: its options window opens.
second_start_options() {
    "$GLOSSER" || fail "the second start failed"
    wait_for "$PATIENCE" options_open || fail "no options window after a second start"
}
keys() { # KEY... to the options window
    xdotool windowfocus --sync "$(options_open)" key --delay 60 "$@"
}
typed() { # TEXT into the options window
    xdotool windowfocus --sync "$(options_open)" type --delay 60 "$1"
}
# Whether the text box with the focus holds exactly TEXT: End and Shift+Home select its whole
# text, which the program then offers as the primary selection. Where no text box has the
# focus the keys do nothing, so a wait may repeat them until the box is there; the text is
# left selected, so typing replaces it. An access key clicks its button a moment after the
# key, so this is how the test knows the button's work is done.
box_holds() {
    keys End shift+Home
    primary_is "$1"
}
primary_is() {
    [ "$(xclip -selection primary -o 2>/dev/null)" = "$1" ]
}
# Takes the primary selection away from the program, so that an old text cannot pass for a
# new one.
primary_reset() {
    printf '%s' - | xclip -selection primary -i -quiet 2>/dev/null &
    PIDS+=($!)
    wait_for "$PATIENCE" primary_is - || fail "xclip did not take the primary selection"
}

# The focus report: the program appends where the keyboard focus went ("window/control") to
# this file on every change, "-" when it left the program.
start_focus_report() {
    export BREVLIN_FOCUS_REPORT=$WORK/focus.log
    : >"$BREVLIN_FOCUS_REPORT"
}
focus_now() {
    tail -n 1 "$BREVLIN_FOCUS_REPORT"
}
focus_is() {
    [ "$(focus_now)" = "$1" ]
}
# walk EXPECTED KEY...: the keys go to whichever window has the focus, as a user's do; then
# the control EXPECTED ("window/control") must have it.
walk() {
    local expected=$1
    shift
    xdotool key --delay 60 "$@"
    wait_for "$PATIENCE" focus_is "$expected" ||
        fail "after $*: the focus is on $(focus_now), not on $expected"
}
# Whether the language page shows the language NAME, seen from the tab strip: Tab to the
# name box, its text, Shift+Tab back.
shown_language() {
    walk frmOptions/txtName Tab
    primary_reset
    xdotool key --delay 60 End shift+Home
    wait_for "$PATIENCE" primary_is "$1" || fail "the page shows $(xclip -selection primary -o), not $1"
    walk frmOptions/tbsOptions shift+Tab
}
# Types TEXT to whichever control has the focus.
typed_focus() {
    xdotool type --delay 60 "$1"
}
