#!/usr/bin/env bash
# Many starts at the same moment: exactly one becomes the tray program with one icon; every
# other one hands the options over to it (and ends with 0) or reports in a message box why it
# could not (and ends with 1). None hangs. STARTS sets the number (default 20).
source "$(dirname "$0")/lib.sh"

starts=${STARTS:-20}
start_display
start_tray

pids=()
for i in $(seq "$starts"); do
    (
        while [ ! -e "$WORK/go" ]; do sleep 0.01; done
        exec "$GLOSSER" >>"$WORK/start-$i.log" 2>&1
    ) &
    pids+=($!)
    PIDS+=($!)
done
sleep 0.5
touch "$WORK/go"

# Everyone but the one that took the icon ends; a start that reports a failure waits in its
# message box until that is answered.
ended() {
    local count=0 pid
    for pid in "${pids[@]}"; do
        kill -0 "$pid" 2>/dev/null || count=$((count + 1))
    done
    [ "$count" -ge $((starts - 1)) ]
}
answer_boxes() {
    local box
    for box in $(xdotool search --onlyvisible --name '^Brevlin Glosser$' 2>/dev/null); do
        xdotool windowfocus --sync "$box" key Return 2>/dev/null || true
    done
    ended
}
wait_for $((PATIENCE * 2)) answer_boxes || fail "starts still running: $(for p in "${pids[@]}"; do kill -0 "$p" 2>/dev/null && echo -n "$p "; done)"

handed=0 failed=0 primary=
for pid in "${pids[@]}"; do
    if kill -0 "$pid" 2>/dev/null; then
        [ -z "$primary" ] || fail "two starts are still running: $primary and $pid"
        primary=$pid
        continue
    fi
    status=0
    wait "$pid" || status=$?
    case $status in
    0) handed=$((handed + 1)) ;;
    1) failed=$((failed + 1)) ;;
    *) fail "a start ended with $status" ;;
    esac
done
[ -n "$primary" ] || fail "no start stayed as the tray program"
APP_PID=$primary
wait_for "$PATIENCE" has_icon || fail "no tray icon"
sleep 1
[ "$(icon_count)" -eq 1 ] || fail "$(icon_count) icons after $starts starts"
[ "$handed" -ge 1 ] || fail "no start handed over"
if [ "$handed" -ge 1 ]; then
    wait_for "$PATIENCE" window_named "オプション - Brevlin Glosser" || fail "no options window after the hand-overs"
fi
# A failure is explained, never silent.
for i in $(seq "$starts"); do
    if grep -q . "$WORK/start-$i.log" 2>/dev/null; then
        sed "s/^/start $i: /" "$WORK/start-$i.log"
    fi
done
echo "start race: $starts starts, 1 tray program, $handed handed over, $failed reported a failure"
