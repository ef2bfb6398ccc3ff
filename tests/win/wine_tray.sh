# Wine's tray icons in trayer, for the Windows tests; sourced after tests/e2e/lib.sh.
# Wine's windows carry the program's name as their class; a docked icon is a window of
# explorer.exe's class inside the panel. Its wrapper stays an unmapped top-level window, a
# direct child of the root (listed with the least indentation).
#
# Wine keeps its own record of where a docked icon and the panel around it are, from their X
# events, and drops a click outside the place it has recorded. trayer's panel grows from 2 to
# 22 pixels as it takes the icon in; under load Wine kept the 2 pixels (seen through
# GetWindowRect), and the first click was lost, in one run of six. A panel of a fixed width
# never changes.
TRAY_WIDTH=120
icon_lines() {
    xwininfo -root -tree | grep -i '("explorer.exe" ' | grep -E '^ {6,}0x' |
        grep -E ' [0-9]+x[0-9]+\+[0-9]+\+[0-9]+ ' | grep -vE ' 1x1\+'
}
# The docked icon windows, in place of lib.sh's: its has_icon, icon_state and icon_centre
# then wait for the icon to be shown (viewable), as a click before that falls through.
icon_windows() { icon_lines | awk '{ print $1 }'; }
