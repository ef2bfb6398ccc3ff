#!/usr/bin/env bash
# Takes the picture of the two tray menus for the README: the language menu (left click,
# with text on the clipboard) and the command menu (right click), side by side, in English or
# Japanese (en by default).
# usage: GLOSSER=... STORE_LANGUAGES=... screenshot.sh OUTPUT.png [en|ja]
source "$(dirname "$0")/lib.sh"
export BREVLIN_UI_LANGUAGE=${2:-en}
: "${STORE_LANGUAGES:?the path of e2e_store_languages}"
output=$(realpath -m "$1")
languages=$(dirname "$0")/../../languages

"$STORE_LANGUAGES" "$languages"/{c,cpp,csharp,java,javascript,python,ruby,shell,sql,vb}.bvl
start_display
start_tray
start_app
clip_set 'int main(void) { return 0; }'

shoot() { # BUTTON FILE
    open_menu "$1"
    sleep 0.5
    # The empty screen is black; a desktop colour is flooded in from a corner.
    import -window root -crop 340x250+684+0 +repage "$2"
    convert "$2" -fill '#4a7aa8' -draw 'color 0,249 floodfill' "$2"
    menu_keys Escape
}
shoot 1 "$WORK/left.png"
shoot 3 "$WORK/right.png"
convert "$WORK/left.png" "$WORK/right.png" -bordercolor '#808080' -border 1 +append \
    -strip "$output"
echo "wrote $output"
