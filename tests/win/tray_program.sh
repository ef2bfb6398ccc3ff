#!/usr/bin/env bash
# The Windows tray program under Wine, used as a user would: Wine's explorer docks its icon
# into trayer, xdotool clicks on it and xclip stands in for the clipboard Wine shares with X.
# Left click: the language menu, whose entry converts the clipboard; right click: the command
# menu; double click: the options, where an edit kept by OK is in the registry and one
# cancelled is not; a second start opens the options of the running one.
# Usage: tray_program.sh GLOSSER_EXE BREVLIN_EXE SOURCE_DIR
# BREVLIN_SCREENSHOTS=DIR keeps screenshots of the menus and the options, and the registry
# export after OK.
set -euo pipefail
exe=$1 cli=$2 source=$3
wine=${BREVLIN_WINE:-/usr/lib/wine/wine64}
wineserver=/usr/lib/wine/wineserver64
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
export GLOSSER=$exe
source "$source/tests/e2e/lib.sh"
source "$source/tests/win/wine_tray.sh"
# A prefix of its own, whose explorer starts on the test's display (the prefix of the other
# Windows tests has none); kept between runs, as making one takes a while.
export WINEPREFIX=${BREVLIN_TRAY_PREFIX:?the Wine prefix of the tray test}
# BREVLIN_TRAY_WINEDEBUG=CHANNELS traces Wine (its explorer, which docks the icon, included)
# into the file BREVLIN_TRAY_WINELOG.
export WINEDEBUG=${BREVLIN_TRAY_WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
unset BREVLIN_SETTINGS
key='HKCU\Software\Morvane\Brevlin'
shots=${BREVLIN_SCREENSHOTS:-}

start_display
start_tray
mkdir -p "$WINEPREFIX"
"$wineserver" -k 2>/dev/null || true
"$wineserver" -w
"$wineserver" -p
end_wine() { "$wineserver" -k 2>/dev/null || true; }
# The prefix's server goes first; the test's status is kept for cleanup to exit with.
trap 'status=$?; end_wine; set +e; (exit $status); cleanup' EXIT
"$wine" wineboot >/dev/null 2>>"${BREVLIN_TRAY_WINELOG:-/dev/null}" </dev/null
# Japanese captions in the font the set-up installs, under the names Windows programs ask for.
for face in "MS UI Gothic" "MS Shell Dlg" "MS Shell Dlg 2" "Meiryo" "Yu Gothic UI" "Segoe UI" "Tahoma"; do
    "$wine" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
        /v "$face" /d "Noto Sans CJK JP" /f >/dev/null 2>&1
done
"$wine" reg delete "$key" /f >/dev/null 2>&1 || true
win_cli() { "$wine" "$cli" "$@" </dev/null; }
win_cli import "Z:$source/languages/c.bvl" || fail "brevlin.exe did not import C"
win_cli import "Z:$source/languages/sql.bvl" || fail "brevlin.exe did not import SQL"
# The HTML flavour on: Windows programs read it as "HTML Format", whose offsets count UTF-8
# bytes; Wine hands its fragment to X as text/html.
"$wine" reg add "$key" /v HtmlClipboard /t REG_DWORD /d 0xffffffff /f >/dev/null 2>&1

shot() {
    [ -n "$shots" ] && import -window root "$shots/$1.png" 2>/dev/null || true
}
# Windows has no primary selection: the text box's text is copied to the clipboard instead
# (otherwise as in lib.sh: selected, so typing replaces it).
box_holds() {
    keys End shift+Home ctrl+c
    clip_is "$1"
}
registry_has() { "$wine" reg query "$key" /s 2>/dev/null | tr -d '\r' | grep -q "$1"; }

# Twenty starts at once: one runs with one icon, the others hand the options over to it.
starts=()
for i in $(seq 20); do
    "$wine" "$exe" >>"$WORK/app.log" 2>&1 </dev/null &
    starts+=($!)
done
running_starts() {
    local pid count=0
    for pid in "${starts[@]}"; do
        kill -0 "$pid" 2>/dev/null && count=$((count + 1))
    done
    echo "$count"
}
one_start_runs() { [ "$(running_starts)" -eq 1 ]; }
wait_for $((3 * PATIENCE)) one_start_runs ||
    fail "$(running_starts) of 20 starts still run"
for pid in "${starts[@]}"; do
    kill -0 "$pid" 2>/dev/null && APP_PID=$pid
done
wait_for "$PATIENCE" has_icon || fail "no tray icon"
sleep 1
[ "$(icon_lines | wc -l)" -eq 1 ] || fail "20 starts gave $(icon_lines | wc -l) icons"
wait_for "$PATIENCE" options_open || fail "the starts handed over no options"
keys Escape
wait_for "$PATIENCE" not options_open || fail "Escape did not close the options"

# Left click: the languages; the second converts the clipboard.
sample='select * from 表 -- 全部'
clip_set "$sample"
open_menu 1
shot language-menu
menu_keys Down Down Return
expected='<span class="kw">select</span> * <span class="kw">from</span> 表 <span class="cm">-- 全部</span>'
wait_for "$PATIENCE" clip_is "$expected" || fail "the clipboard was not converted: $(clip_get)"
# The flavour carries the paste style sheet inline, as brevlin.exe writes it for the same text.
html=$(timeout 20 xclip -selection clipboard -t text/html -o 2>/dev/null | tr -d '\r')
styled=$(printf '%s' "$sample" | "$wine" "$cli" convert --language SQL --inline-styles | tr -d '\r')
case $styled in
*'<span class="kw" style="'*) ;;
*) fail "brevlin.exe convert --inline-styles wrote: $styled" ;;
esac
case $html in
*"$styled"*) ;;
*) fail "the HTML flavour is: $html" ;;
esac

# Right click: the commands.
open_menu 3
shot command-menu
menu_keys Escape

# Double click: the options, as the user double-clicks (both clicks in one go).
read -r x y < <(icon_centre)
xdotool mousemove "$x" "$y" click --repeat 2 --delay 60 1
wait_for "$PATIENCE" options_open || fail "a double click did not open the options"
shot options-general
keys ctrl+Tab
sleep 1
shot options-language
keys Escape
wait_for "$PATIENCE" not options_open || fail "Escape did not close the options"

# A second start hands over to the running one, which shows its options; OK with a change
# writes the registry, Cancel leaves it as it was.
# new_language NAME: a second start, whose options get a new language named NAME.
new_language() {
    "$wine" "$exe" </dev/null || fail "the second start failed"
    wait_for "$PATIENCE" options_open || fail "no options window after a second start"
    keys alt+a
    wait_for "$PATIENCE" box_holds "新しい言語1" || fail "no new language's name to type over"
    typed "$1"
}
new_language Wine
keys Return
wait_for "$PATIENCE" not options_open || fail "Enter did not close the options with OK"
wait_for "$PATIENCE" registry_has 'Wine' || fail "OK did not store the new language in the registry"
[ "$(win_cli list | tr -d '\r' | tail -1)" = "Wine" ] || fail "brevlin.exe does not list the new language"
[ -n "$shots" ] && "$wine" reg export "$key" "Z:$shots/registry-after-ok.reg" /y >/dev/null 2>&1

new_language Gone
keys Escape
wait_for "$PATIENCE" not options_open || fail "Escape did not close the options"
registry_has 'Gone' && fail "Cancel stored the language"

open_menu 3
menu_keys Up Return # 閉じる(&X)
wait_for "$PATIENCE" not app_running || fail "the program did not exit"
echo "tray program under Wine: ok"
