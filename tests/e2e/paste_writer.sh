#!/usr/bin/env bash
# A rich paste into a word processor: the text/html flavour that the tray program put on the
# clipboard, imported as HTML by LibreOffice Writer (headless), keeps in the document it makes
# (its content.xml) the keyword's colour and bold, the comment's colour and italics, the
# string's colour, and the lines as copied, four leading spaces and the blank line included.
source "$(dirname "$0")/lib.sh"
: "${BREVLIN:?the path of brevlin}"

soffice=$(command -v soffice || command -v libreoffice || true)
[ -n "$soffice" ] || missing "no LibreOffice"
source "$E2E_DIR/rich_paste.sh"

convert_sample

# Writer's own HTML import (not Writer/Web's), in a profile of the test's own.
mkdir "$WORK/out"
timeout 240 "$soffice" --headless --norestore --nolockcheck \
    "-env:UserInstallation=file://$WORK/libreoffice" \
    --infilter="HTML (StarWriter)" --convert-to odt --outdir "$WORK/out" "$WORK/flavour.html" \
    >"$WORK/soffice.log" 2>&1 || { cat "$WORK/soffice.log" >&2; fail "LibreOffice failed"; }
[ -f "$WORK/out/flavour.odt" ] || { cat "$WORK/soffice.log" >&2; fail "LibreOffice made no document"; }
/usr/bin/python3 "$E2E_DIR/receivers.py" writer "$WORK/out/flavour.odt" ||
    fail "Writer's document lost the styles"
echo "import into LibreOffice Writer: ok"
