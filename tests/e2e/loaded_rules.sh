#!/usr/bin/env bash
# Rules that a language file brought in longer than the rule editor's limits (a 4-character
# start clause, a 2-character escape, a whole-word rule with an end clause): opening each
# in the editor and confirming it, then OK in the options dialog, stores them as they were.
source "$(dirname "$0")/lib.sh"
: "${BREVLIN:?the path of brevlin}"

start_focus_report
cat >"$WORK/long.bvl" <<'BVL'
[Brevlin]
Version=2.0
[Language]
Name=Long
StartTag=<b>
EndTag=</b>
ReplaceTab=False
TabColumns=4
IgnoreCase=False
Keywords1=int
[Comment1]
ClauseStart=////
ClauseEnd=<<>>
EscapeChar=^^
MatchWord=False
StartTag=<i>
EndTag=</i>
[Comment2]
ClauseStart=REMARK
ClauseEnd=!!
EscapeChar=
MatchWord=True
StartTag=<u>
EndTag=</u>
BVL
"$BREVLIN" import "$WORK/long.bvl" || fail "could not import the language"
"$BREVLIN" export Long "$WORK/before.bvl" || fail "could not export the language"

start_display
start_tray
start_app
second_start_options
O=frmOptions
E=frmEditComment
wait_for "$PATIENCE" focus_is $O/tbsOptions || fail "the tab strip has no focus at first: $(focus_now)"
walk $O/tbsOptions ctrl+Tab
shown_language Long

# Each rule opened with Enter and confirmed with Enter, untouched.
walk $O/lvwComments alt+c
walk $E/txtStartTag Return
walk $O/lvwComments Return
walk $O/lvwComments Down
walk $E/txtStartTag Return
walk $O/lvwComments Return
walk $O/cmdOK Tab Tab Tab Tab Tab Tab Tab
xdotool key Return
wait_for "$PATIENCE" not options_open || fail "OK did not close the options"

"$BREVLIN" export Long "$WORK/after.bvl" || fail "could not export the language again"
diff "$WORK/before.bvl" "$WORK/after.bvl" >&2 || fail "opening and confirming changed the rules"
tr -d '\r' <"$WORK/after.bvl" | grep -qx 'ClauseStart=////' || fail "the long start clause is gone"
echo "loaded rules: ok"
