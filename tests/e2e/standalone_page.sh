#!/usr/bin/env bash
# `brevlin convert --standalone` in a real browser: headless Chromium renders the page, and
# the screenshot shows a keyword, a comment and a string in the bundled style sheet's colours,
# each on its own line and in that order, and the plain text in the default black; with the
# desktop's dark scheme, the dark scheme's colours, all light on a dark background.
source "$(dirname "$0")/lib.sh"

browser=$(command -v chromium || command -v chromium-browser || true)
[ -n "$browser" ] || { echo "no Chromium here"; exit 77; }

printf 'int x;\n// comment\n"string"\n' >"$WORK/in.c"
"$BREVLIN" convert --bvl "$E2E_DIR/../../languages/c.bvl" --standalone -o "$WORK/page.html" \
    "$WORK/in.c" || fail "the conversion failed"
grep -q '<span class="kw">int</span> x;' "$WORK/page.html" || fail "no converted code in the page"

# One screenshot per colour scheme: the colours of the style sheet for that scheme, on a
# background of that scheme (a dark desktop must not get pale text on a white page).
shoot() { # NAME [BROWSER OPTION...]
    local name=$1
    shift
    timeout 120 "$browser" --headless --no-sandbox --disable-gpu --hide-scrollbars \
        --disable-background-networking --no-first-run --disable-sync --disable-component-update \
        --force-device-scale-factor=2 --window-size=300,150 "$@" \
        --screenshot="$WORK/$name.png" "file://$WORK/page.html" >"$WORK/browser.log" 2>&1 ||
        { cat "$WORK/browser.log" >&2; fail "Chromium did not take the $name screenshot"; }
    convert "$WORK/$name.png" -depth 8 "rgb:$WORK/$name.rgb" || fail "the $name screenshot cannot be read"
    identify -format '%w %h' "$WORK/$name.png"
}

check() { # SCHEME
    /usr/bin/python3 - "$1" "$WORK/$1.rgb" $(shoot "$@") <<'PY' || fail "the page does not show the colours of the $1 scheme"
import collections, sys
scheme, path, width, height = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
data = open(path, "rb").read()
assert len(data) == width * height * 3, "unexpected screenshot size"
colours = {
    "light": {"keyword": (0x00, 0x33, 0xB3), "comment": (0x5F, 0x7A, 0x5F),
              "string": (0xA3, 0x15, 0x15), "plain": (0, 0, 0)},
    "dark": {"keyword": (0x7A, 0xA2, 0xF7), "comment": (0x8A, 0x9A, 0x8A),
             "string": (0xE0, 0xA0, 0x60), "plain": (0xD7, 0xDA, 0xE0)},
}[scheme]
lightness = lambda p: (p[0] * 299 + p[1] * 587 + p[2] * 114) / 1000
# The page's background is its most common colour; the code's text stands out from it.
background = collections.Counter(data[i:i + 3] for i in range(0, len(data), 3)).most_common(1)[0][0]
print(f"{scheme}: background {background.hex()}")
if (lightness(background) > 128) != (scheme == "light"):
    sys.exit(f"a {scheme} page on the background {background.hex()}")
for name, colour in colours.items():
    if abs(lightness(colour) - lightness(background)) < 80:
        sys.exit(f"{name} text hardly differs from the background {background.hex()}")
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
}

check light
check dark --force-dark-mode
echo "standalone page: ok"
