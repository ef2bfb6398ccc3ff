#!/usr/bin/env bash
# The installed menu and autostart entries start the installed program: install into a
# private prefix, then run the autostart entry's command as a session would.
source "$(dirname "$0")/lib.sh"
: "${BUILD_DIR:?the build folder}"

prefix=$WORK/prefix
cmake --install "$BUILD_DIR" --prefix "$prefix" >/dev/null
menu=$prefix/share/applications/brevlin-glosser.desktop
autostart=$prefix/share/brevlin-glosser/autostart/brevlin-glosser.desktop
for entry in "$menu" "$autostart"; do
    [ -f "$entry" ] || fail "missing $entry"
    head -1 "$entry" | grep -qx '\[Desktop Entry\]' || fail "$entry is no desktop entry"
    grep -qx 'Type=Application' "$entry" || fail "$entry: no Type=Application"
    grep -qx 'Name=Brevlin Glosser' "$entry" || fail "$entry: wrong Name"
    grep -qx 'Icon=brevlin-glosser' "$entry" || fail "$entry: wrong Icon"
    # English for every desktop, the Japanese as [ja].
    for key in Comment GenericName Keywords; do
        grep -q "^$key=" "$entry" || continue
        LC_ALL=C grep -q "^$key=[ -~]*\$" "$entry" || fail "$entry: $key is not English"
        grep -q "^$key\[ja\]=" "$entry" || fail "$entry: $key has no [ja]"
    done
done
[ -f "$prefix/share/icons/hicolor/scalable/apps/brevlin-glosser.svg" ] || fail "no icon in the theme"

command=$(sed -n 's/^Exec=//p' "$autostart")
[ "$(sed -n 's/^Exec=//p' "$menu")" = "$command" ] || fail "menu and autostart start different commands"
export PATH=$prefix/bin:$PATH
start_display
start_tray
$command >>"$WORK/app.log" 2>&1 &
APP_PID=$!
wait_for "$PATIENCE" has_icon || fail "the autostart command put up no icon"
echo "desktop entries: ok"
