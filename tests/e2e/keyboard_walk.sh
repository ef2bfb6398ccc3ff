#!/usr/bin/env bash
# The options dialog and the rule editor driven by the keyboard alone: the tab order of both
# pages and of the editor, the access keys, Enter, Escape, Ctrl+Tab, F2, Delete and Insert in
# the lists, and after every message box, file dialog and editor the focus back on the
# control that opened it (or on its stated neighbour). The program reports each focus change.
source "$(dirname "$0")/lib.sh"

start_focus_report
"$BREVLIN" import "$E2E_DIR/../../languages/c.bvl" >/dev/null || fail "could not import C"
"$BREVLIN" import "$E2E_DIR/../../languages/go.bvl" >/dev/null || fail "could not import Go"
start_display
start_tray
start_app

second_start_options
O=frmOptions
E=frmEditComment
YES="QMessageBox/QPushButton:はい(Y)"
NO="QMessageBox/QPushButton:いいえ(N)"
OKBOX="QMessageBox/QPushButton:OK"
wait_for "$PATIENCE" focus_is $O/tbsOptions || fail "the tab strip has no focus at first: $(focus_now)"

# The general page: disabled Delete and Export are passed over, and so is "同梱に戻す(&U)"
# while the bundled style sheet is the one chosen.
for control in chkBeepOnProcess chkOptimizeTags chkHtmlClipboard txtPasteStyleSheet \
    cmdPasteStyleSheet cmdOK cmdCancel cmdNew cmdImport tbsOptions; do
    walk $O/$control Tab
done
walk $O/cmdImport shift+Tab
walk $O/tbsOptions Tab

# A language page: every control in the designed order, and back.
walk $O/tbsOptions ctrl+Tab
shown_language C
for control in txtName txtStartHTML txtEndHTML chkReplaceTab txtTabs chkIgnoreCase lvwKeywords \
    cmdKwAdd cmdKwEdit cmdKwDelete lvwComments cmdCmAdd cmdCmEdit cmdCmDelete txtPreviewSample \
    chkPreviewSource txtPreview cmdOK cmdCancel \
    cmdNew cmdDelete cmdImport cmdExport tbsOptions; do
    walk $O/$control Tab
done
walk $O/cmdExport shift+Tab

# Access keys of the text boxes and lists.
walk $O/txtName alt+n
walk $O/txtStartHTML alt+h
walk $O/txtEndHTML alt+m
walk $O/lvwComments alt+c

# The keyword list: Insert and F2 edit in place; Delete asks first.
walk $O/lvwKeywords shift+Tab shift+Tab shift+Tab shift+Tab
walk $O/LabelEdit Insert
walk $O/lvwKeywords Return
walk $O/LabelEdit F2
walk $O/lvwKeywords Escape
walk "$YES" Delete
walk $O/lvwKeywords Escape # No
walk "$YES" Delete
walk $O/lvwKeywords Return # Yes
walk $O/LabelEdit alt+w
walk $O/lvwKeywords Escape
walk $O/LabelEdit alt+t
walk $O/lvwKeywords Escape
walk "$YES" alt+r
walk $O/cmdKwDelete Tab Return # No
walk "$YES" alt+r
walk $O/cmdKwDelete Return # Yes

# The comment list and the rule editor: the focus returns to what opened the editor.
walk $O/lvwComments alt+c
walk $E/txtStartTag Insert
for control in txtEndTag chkMatchWord txtEscapeChar txtStartHTML txtEndHTML cmdCancel txtStartTag; do
    walk $E/$control Tab # OK is disabled while the start tag is empty
done
walk $E/txtStartHTML alt+h
walk $E/txtStartTag alt+s
walk $O/lvwComments Escape
walk $E/txtStartTag F2
walk $E/cmdOk Tab Tab Tab Tab Tab Tab
walk $O/lvwComments Return # OK, the rule unchanged
walk $E/txtStartTag Return
walk $O/lvwComments Escape
walk "$YES" Delete
walk $O/lvwComments Escape
walk $O/cmdCmAdd Tab
walk $E/txtStartTag space
typed_focus "@@"
walk $O/cmdCmAdd Return # OK: a new rule "@@"
walk $E/txtStartTag alt+e
walk $O/cmdCmEdit Escape
walk "$YES" alt+l
walk $O/cmdCmDelete Escape

# Deleting a language: the page of the next one, the focus on Delete; three Shift+Tab reach OK.
walk $O/cmdCmDelete ctrl+Tab
walk "$YES" alt+d
walk $O/cmdDelete Return
walk $O/tbsOptions Tab Tab Tab
shown_language C
walk $O/cmdDelete shift+Tab shift+Tab shift+Tab
walk "$YES" alt+d
walk $O/cmdDelete Escape # No: nothing changes
walk $O/cmdOK shift+Tab shift+Tab shift+Tab
# The last language deleted: the general page, where Delete is disabled; the tab strip.
walk "$YES" alt+d
walk $O/tbsOptions Return

# New and a name that is taken: the warning, then the name box again. (Typed names are ASCII:
# xdotool types other characters through a remapped key, which a busy machine can garble.)
walk $O/txtName alt+a
typed_focus "Alpha"
xdotool key alt+a
wait_for "$PATIENCE" box_holds "新しい言語1" || fail "no second new language" # the first is Alpha now
typed_focus "Alpha"
walk "$OKBOX" Tab
walk $O/txtName Return
typed_focus "Kept"
walk $O/txtStartHTML Tab
# Enter (OK) with a name that is taken: the warning, the dialog stays, the name box again.
walk $O/txtName shift+Tab
typed_focus "Alpha"
walk "$OKBOX" Return
walk $O/txtName Return
options_open >/dev/null || fail "OK closed the dialog over a name that is taken"
typed_focus "Kept"
walk $O/txtStartHTML Tab
# Ctrl+Tab to the general page hides the control with the focus: the tab strip takes it.
walk $O/tbsOptions ctrl+Tab
walk $O/chkBeepOnProcess Tab
walk $O/tbsOptions ctrl+shift+Tab
walk $O/txtName Tab

# Import and export: after the file dialog, the button that opened it.
walk dlgFile/fileNameEdit alt+i
walk $O/cmdImport Escape
walk dlgFile/fileNameEdit alt+i
typed_focus "$E2E_DIR/../../languages/go.bvl"
walk $O/cmdImport Return
walk $O/tbsOptions Tab Tab
shown_language Go
walk $O/cmdImport shift+Tab shift+Tab
walk dlgFile/fileNameEdit alt+i
typed_focus "$E2E_DIR/../../languages/go.bvl"
walk "$YES" Return # replace Go?
walk $O/cmdImport Return
walk dlgFile/fileNameEdit alt+x
walk $O/cmdExport Escape
walk dlgFile/fileNameEdit alt+x
xdotool key ctrl+a
typed_focus "$WORK/no such folder/go.bvl"
walk "$OKBOX" Return # the file cannot be written
walk $O/cmdExport Return

# Escape cancels the dialog; the focus leaves the program.
walk - Escape
wait_for "$PATIENCE" not options_open || fail "Escape did not close the options"
[ "$("$BREVLIN" list | tr '\n' ' ')" = "C Go " ] || fail "the cancelled dialog changed the languages"
echo "keyboard walk: ok"
