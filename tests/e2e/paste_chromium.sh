#!/usr/bin/env bash
# A rich paste into a real receiver: the tray program converts the clipboard with the HTML
# flavour on, and Chromium takes it with Ctrl+V into the editable area of a page, as a mail
# or wiki editor in a browser does. Read back from the pasted DOM through Chromium's DevTools
# protocol: the keyword, comment and string in the bundled style sheet's colours, and the
# lines as copied, four leading spaces and the blank line included. The flavour is the one
# `brevlin convert --inline-styles` writes. With E2E_REPORT_DIR set, the screenshot of the
# page stays there.
source "$(dirname "$0")/lib.sh"
: "${BREVLIN:?the path of brevlin}"

browser=$(command -v chromium || command -v chromium-browser || true)
[ -n "$browser" ] || missing "no Chromium"
/usr/bin/python3 -c 'import websocket' 2>/dev/null || missing "no python3-websocket"
source "$E2E_DIR/rich_paste.sh"

convert_sample

cat >"$WORK/editor.html" <<'HTML'
<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>editor</title></head>
<body style="margin: 8px; background: #ffffff; color: #202020; font: 14px sans-serif">
<div id="editor" contenteditable="true" style="min-height: 200px; outline: 1px solid #ccc"></div>
</body></html>
HTML

# A window of its own on the test's display; the DevTools port is chosen by Chromium and
# written into the profile.
"$browser" --no-sandbox --disable-gpu --no-first-run --no-default-browser-check \
    --disable-background-networking --disable-sync --disable-component-update \
    --disable-features=Translate,MediaRouter --password-store=basic \
    --user-data-dir="$WORK/chromium" --remote-debugging-port=0 \
    --window-position=0,40 --window-size=640,360 --force-device-scale-factor=1 \
    --app="file://$WORK/editor.html" >>"$WORK/browser.log" 2>&1 &
BROWSER_PID=$!
PIDS+=($BROWSER_PID)

screenshot=$WORK/paste_chromium.png
[ -n "${E2E_REPORT_DIR:-}" ] && screenshot=$E2E_REPORT_DIR/paste_chromium.png
timeout 240 /usr/bin/python3 "$E2E_DIR/receivers.py" chromium "$WORK/chromium/DevToolsActivePort" \
    "$screenshot" || { sed 's/^/chromium: /' "$WORK/browser.log" >&2; fail "Chromium did not get the paste right"; }

# The pixels too: the keyword's blue is on the screen, not only in the DOM.
convert "$screenshot" -depth 8 "rgb:$WORK/shot.rgb" || fail "the screenshot cannot be read"
/usr/bin/python3 - "$WORK/shot.rgb" <<'PY' || fail "the screenshot shows no keyword blue"
import sys
data = open(sys.argv[1], "rb").read()
blue = sum(1 for i in range(0, len(data), 3)
           if abs(data[i] - 0x00) <= 8 and abs(data[i + 1] - 0x33) <= 8 and abs(data[i + 2] - 0xB3) <= 8)
print(f"keyword-blue pixels on the screen: {blue}")
sys.exit(0 if blue >= 20 else 1)
PY
# Chromium ends its own processes when asked to end; they write into the profile until then.
kill "$BROWSER_PID"
wait "$BROWSER_PID" 2>/dev/null || true
wait_for "$PATIENCE" not pgrep -f -- "--user-data-dir=$WORK/chromium" || fail "Chromium did not end"
echo "paste into Chromium: ok"
