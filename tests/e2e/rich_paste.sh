# The conversion that the rich-paste tests give to their receivers: the C language and the HTML
# flavour stored, the tray program started, the sample copied and converted through the tray
# menu. Afterwards the clipboard offers text/html; it must be what `brevlin convert
# --inline-styles` writes for the same text. Sourced after lib.sh.

# A keyword, a string, a comment, a blank line and a line indented by four spaces.
SAMPLE='int main(void)
{

    return puts("hi"); // greet
}'

convert_sample() {
    "$BREVLIN" import "$E2E_DIR/../../languages/c.bvl" >/dev/null || fail "could not import C"
    # The switch "HTML形式でもクリップボードに置く(&H)" on, beside the stored languages.
    sed -i 's/^\[HKEY_CURRENT_USER\\Software\\Morvane\\Brevlin\]$/&\n"HtmlClipboard"=dword:ffffffff/' \
        "$BREVLIN_SETTINGS"
    grep -q '^"HtmlClipboard"=dword:ffffffff' "$BREVLIN_SETTINGS" || fail "the switch is not stored"
    start_display
    start_tray
    start_app
    clip_set "$SAMPLE"
    open_menu 1
    menu_keys Down Return
    local expected
    expected=$(printf '%s' "$SAMPLE" | "$BREVLIN" convert --language C)
    wait_for "$PATIENCE" clip_is "$expected" || fail "no conversion: $(clip_get)"
    timeout 20 xclip -selection clipboard -t text/html -o >"$WORK/flavour.html" ||
        fail "no text/html on the clipboard"
    printf '%s' "$SAMPLE" | "$BREVLIN" convert --language C --inline-styles >"$WORK/cli.html" ||
        fail "brevlin convert --inline-styles failed"
    cmp -s "$WORK/flavour.html" "$WORK/cli.html" ||
        fail "the flavour differs from brevlin convert --inline-styles: $(cat "$WORK/flavour.html")"
    echo "flavour: $(cat "$WORK/flavour.html")"
}
