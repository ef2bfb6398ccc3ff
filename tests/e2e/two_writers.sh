#!/usr/bin/env bash
# `brevlin import` while the tray program runs: a language imported before the options open is
# shown in them, one imported while they are open is kept when they close with OK, and the
# dialog's own edit (the first language's start tag) is stored beside it.
source "$(dirname "$0")/lib.sh"

language_file() { # NAME: a copy of the example language under another name
    sed "s/^Name=Example/Name=$1/" "$E2E_DIR/../data/example.bvl" >"$WORK/$1.bvl"
    echo "$WORK/$1.bvl"
}

"$BREVLIN" import "$E2E_DIR/../data/example.bvl" || fail "the first import failed"
start_display
start_tray
start_app

# Imported after the program read the store, before the dialog opens.
"$BREVLIN" import "$(language_file Before)" || fail "import before the dialog failed"
"$GLOSSER" || fail "the second start failed"
wait_for "$PATIENCE" options_open || fail "no options window"
# Imported while the dialog is open.
"$BREVLIN" import "$(language_file During)" || fail "import during the dialog failed"
keys ctrl+Tab # from the general page to the first language
keys alt+h # 開始HTMLタグ(&H)
wait_for "$PATIENCE" box_holds "<b>" || fail "no start tag box with <b>"
typed "<x>"
keys Return # OK
wait_for "$PATIENCE" not options_open || fail "Enter did not close the options"

listed=$("$BREVLIN" list | tr '\n' ' ')
[ "$listed" = "Example Before During " ] || fail "stored languages: $listed"
grep -q '^"StartTag"="<x>"' "$BREVLIN_SETTINGS" || { grep StartTag "$BREVLIN_SETTINGS"; fail "the dialog's edit was not stored"; }
app_running || fail "the program ended"
echo "two writers: $listed"
