#!/usr/bin/env bash
# `brevlin convert --standalone` in a real browser: headless Chromium renders the page, and
# the screenshot shows a keyword, a comment and a string in the bundled style sheet's colours,
# each on its own line and in that order, and the plain text in the default black.
source "$(dirname "$0")/lib.sh"

browser=$(command -v chromium || command -v chromium-browser || true)
[ -n "$browser" ] || { echo "no Chromium here"; exit 77; }

printf 'int x;\n// comment\n"string"\n' >"$WORK/in.c"
"$BREVLIN" convert --bvl "$E2E_DIR/../../languages/c.bvl" --standalone -o "$WORK/page.html" \
    "$WORK/in.c" || fail "the conversion failed"
grep -q '<span class="kw">int</span> x;' "$WORK/page.html" || fail "no converted code in the page"

timeout 120 "$browser" --headless --no-sandbox --disable-gpu --hide-scrollbars \
    --force-device-scale-factor=2 --window-size=300,150 \
    --screenshot="$WORK/shot.png" "file://$WORK/page.html" >"$WORK/browser.log" 2>&1 ||
    { cat "$WORK/browser.log" >&2; fail "Chromium did not take the screenshot"; }
convert "$WORK/shot.png" -depth 8 "rgb:$WORK/shot.rgb" || fail "the screenshot cannot be read"
size=$(identify -format '%w %h' "$WORK/shot.png")

/usr/bin/python3 - "$WORK/shot.rgb" $size <<'PY' || fail "the page does not show the colours"
import sys
path, width, height = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
data = open(path, "rb").read()
assert len(data) == width * height * 3, "unexpected screenshot size"
colours = {"keyword": (0x00, 0x33, 0xB3), "comment": (0x5F, 0x7A, 0x5F),
           "string": (0xA3, 0x15, 0x15), "plain": (0, 0, 0)}
rows = {name: [] for name in colours}
for i in range(0, len(data), 3):
    pixel = data[i:i + 3]
    for name, target in colours.items():
        if all(abs(pixel[k] - target[k]) <= 8 for k in range(3)):
            rows[name].append(i // 3 // width)
for name, found in rows.items():
    print(f"{name}: {len(found)} pixels" + (f", rows {min(found)}-{max(found)}" if found else ""))
    if len(found) < 20:
        sys.exit(f"no {name} text in the screenshot")
# One line each, in the order of the source; the plain "x;" shares the keyword's line.
bands = {name: (min(found), max(found)) for name, found in rows.items()}
order = ["keyword", "comment", "string"]
for upper, lower in zip(order, order[1:]):
    if not bands[upper][1] < bands[lower][0]:
        sys.exit(f"{upper} and {lower} are not on lines of their own in order: {bands}")
if not (bands["plain"][0] >= bands["keyword"][0] - 4 and bands["plain"][1] <= bands["comment"][0]):
    sys.exit(f"plain text outside the first line: {bands}")
PY
echo "standalone page: ok"
