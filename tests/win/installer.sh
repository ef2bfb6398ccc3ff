#!/usr/bin/env bash
# The Windows installer under Wine, in a fresh prefix of its own, as a user meets it:
# a silent install puts the files, the Start-menu shortcut, the uninstall key, the Run value
# and the PATH entry where they belong (printed, from the prefix's own before/after state); the
# installed program starts and shows its icon in trayer; an install over the running program
# closes it, replaces the files, starts it again and keeps the user's settings; a silent
# uninstall leaves the machine as it was but for the settings. A second round installs for all
# users without autostart and PATH, and uninstalls with the settings. The portable zip holds
# the same files as the installer.
# Usage: installer.sh SETUP_EXE STAGE_DIR PORTABLE_ZIP VERSION SOURCE_DIR WINE_PREFIX
set -euo pipefail
setup=$1 stage=$2 portable=$3 version=$4 source=$5 prefix=$6
wine=${BREVLIN_WINE:-/usr/lib/wine/wine64}
wineserver=/usr/lib/wine/wineserver64
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
here=$(cd "$(dirname "$0")" && pwd)
export GLOSSER=$stage/brevlin-glosser.exe
source "$source/tests/e2e/lib.sh"
source "$source/tests/win/wine_tray.sh"
# No Mono or Gecko prompts; no menu entries of the Unix desktop for the shortcuts.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" LC_ALL=C.UTF-8
unset BREVLIN_SETTINGS
settings='HKCU\Software\Morvane\Brevlin'
uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\BrevlinGlosser'
run_key='Software\Microsoft\Windows\CurrentVersion\Run'
machine_env='HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\Environment'

# A fresh prefix each time: what the installer leaves behind must be its own.
export WINEPREFIX=${prefix:?}
case $WINEPREFIX in /*wineprefix-installer) ;; *) echo "refusing prefix $WINEPREFIX" >&2; exit 2 ;; esac
"$wineserver" -k 2>/dev/null || true
"$wineserver" -w 2>/dev/null || true
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
start_display
start_tray
"$wineserver" -p
# Ended by its prefix: a search by name could find another test's server.
end_wine() { "$wineserver" -k 2>/dev/null || true; }
# The test's status must reach cleanup, which exits with it.
trap 'status=$?; end_wine; set +e; (exit $status); cleanup' EXIT
"$wine" wineboot >/dev/null 2>&1 </dev/null
drive_c=$WINEPREFIX/drive_c

w() { "$wine" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
unix_path() { w winepath -u "$1"; }
# TYPE DATA of a registry value, nothing if it is missing.
reg_value() {
    w reg query "$1" /v "$2" | sed -n "s/^    $2    \(REG_[A-Z_]*\)    \(.*\)\$/\1 \2/p"
}
reg_key_exists() { "$wine" reg query "$1" </dev/null >/dev/null 2>&1; }
expect_value() {
    local got
    got=$(reg_value "$1" "$2")
    [ "$got" = "$3" ] || fail "$1 $2 is '$got', expected '$3'"
}
expect_no_value() {
    [ -z "$(reg_value "$1" "$2")" ] || fail "$1 $2 is still there: $(reg_value "$1" "$2")"
}

# The first docked icon, shown or not yet (wine_tray.sh).
icon_id() { icon_windows | head -1; }
has_icon() { [ -n "$(icon_id)" ]; }
new_icon() { has_icon && [ "$(icon_id)" != "$1" ]; }
# Processes of this prefix only: other tests may run the same programs in theirs.
in_prefix() {
    local pid
    for pid in $(pgrep -f "$1"); do
        grep -qxzF "WINEPREFIX=$WINEPREFIX" "/proc/$pid/environ" 2>/dev/null && return 0
    done
    return 1
}
program_running() { in_prefix 'brevlin-glosser\.exe'; }
uninstaller_running() { in_prefix '~nsu|uninstall\.exe'; }

state() {
    local out=$1
    w reg export HKCU "Z:$WORK/hkcu.reg" /y >/dev/null
    w reg export "HKLM\\$uninstall_key" "Z:$WORK/hklm-uninstall.reg" /y >/dev/null || true
    w reg export "HKLM\\$run_key" "Z:$WORK/hklm-run.reg" /y >/dev/null || true
    # This key is always there: a failed export is reported, not taken for a removed key.
    "$wine" reg export "$machine_env" "Z:$WORK/hklm-env.reg" /y </dev/null >"$WORK/reg.log" 2>&1 ||
        fail "reg export of the machine's environment failed: $(tr -d '\r' <"$WORK/reg.log")"
    python3 "$here/machine_state.py" "$drive_c" "$WORK"/hkcu.reg "$WORK"/hklm-*.reg >"$out"
    rm -f "$WORK"/hkcu.reg "$WORK"/hklm-*.reg
}
# What changed between two states, Wine's own bookkeeping left out (its settings, the
# shell's caches, the Windows folder). A folder that was empty and no longer is, is no leftover.
changes() {
    diff "$1" "$2" | sed -n 's/^\([<>]\) /\1 /p' |
        grep -vE '^< dir |_USER\\Software\\Wine[]\\]|\\Explorer[]\\]|ShellNoRoam|MuiCache|^. file C:\\windows\\' || true
}
# The staging folder's files, byte for byte (the state's diff shows any others).
same_files() {
    local dir=$1 file
    (cd "$stage" && find . -type f) | while IFS= read -r file; do
        cmp -s "$stage/$file" "$dir/$file" || { echo "differs or missing: $file"; }
    done
}

# The user's PATH before: an entry with a variable in it must survive, unexpanded.
"$wine" reg add 'HKCU\Environment' /v Path /t REG_EXPAND_SZ /d 'C:\Tools;%USERPROFILE%\bin' /f \
    </dev/null >/dev/null 2>&1
user_path='REG_EXPAND_SZ C:\Tools;%USERPROFILE%\bin'
"$wine" reg delete "$settings" /f </dev/null >/dev/null 2>&1 || true
state "$WORK/before"

# --- A silent install for this user.
"$wine" "$setup" /S </dev/null >>"$WORK/app.log" 2>&1 || fail "the silent install failed ($?)"
state "$WORK/installed"
echo "What a silent install put where (added '>', changed '<' before and '>' after):"
changes "$WORK/before" "$WORK/installed" | tee "$WORK/install-changes" | sed 's/^/  /'

local_appdata=$(w cmd /c 'echo %LOCALAPPDATA%')
appdata=$(w cmd /c 'echo %APPDATA%')
inst="$local_appdata\\Programs\\Brevlin Glosser"
inst_unix=$(unix_path "$inst")
[ -f "$inst_unix/brevlin-glosser.exe" ] || fail "nothing installed in $inst"
problems=$(same_files "$inst_unix")
[ -z "$problems" ] || fail "installed files: $problems"
[ -f "$inst_unix/uninstall.exe" ] || fail "no uninstaller"
shortcut=$(unix_path "$appdata\\Microsoft\\Windows\\Start Menu\\Programs\\Brevlin Glosser.lnk")
[ -f "$shortcut" ] || fail "no Start-menu shortcut"
python3 - "$shortcut" "$inst\\brevlin-glosser.exe" <<'EOF' || fail "the shortcut does not start the program"
import sys
data, target = open(sys.argv[1], "rb").read(), sys.argv[2]
sys.exit(0 if target.encode("utf-16-le") in data or target.encode("latin-1") in data else 1)
EOF
key="HKCU\\$uninstall_key"
expect_value "$key" DisplayName 'REG_SZ Brevlin Glosser'
expect_value "$key" DisplayVersion "REG_SZ $version"
expect_value "$key" Publisher 'REG_SZ Morvane'
expect_value "$key" DisplayIcon "REG_SZ $inst\\brevlin-glosser.exe,0"
expect_value "$key" InstallLocation "REG_SZ $inst"
expect_value "$key" UninstallString "REG_SZ \"$inst\\uninstall.exe\""
expect_value "$key" QuietUninstallString "REG_SZ \"$inst\\uninstall.exe\" /S"
size=$(reg_value "$key" EstimatedSize)
kib=$(find "$inst_unix" -type f -printf '%s\n' | awk '{ s += $1 } END { print int(s / 1024) }')
[[ $size == "REG_DWORD 0x"* ]] && [ $(( ${size#REG_DWORD } )) -ge $(( kib - 8 )) ] &&
    [ $(( ${size#REG_DWORD } )) -le $(( kib + 8 )) ] || fail "EstimatedSize $size, the files take $kib KiB"
reg_key_exists "HKLM\\$uninstall_key" && fail "a per-user install wrote the machine's uninstall key"
expect_value "HKCU\\$run_key" 'Brevlin Glosser' "REG_SZ \"$inst\\brevlin-glosser.exe\""
expect_value 'HKCU\Environment' Path "REG_EXPAND_SZ C:\\Tools;%USERPROFILE%\\bin;$inst"
# brevlin.exe in a new command prompt, found through that PATH (not in the folder it starts in:
# the build folder has one).
answer=$(cd "$WORK" && w cmd /c 'brevlin --version')
[[ $answer == "brevlin "[0-9]* ]] || fail "brevlin in a command prompt answered: $answer"
# Nothing else: every change is one of those checked above.
unexpected=$(grep -viE 'brevlin|\\Environment\] "Path"=|CurrentVersion\\Uninstall\]$' "$WORK/install-changes" || true)
[ -z "$unexpected" ] || fail "the install also changed: $unexpected"

# The zip holds the same files under one folder.
python3 - "$portable" "$stage" "brevlin-glosser-$version" <<'EOF' || fail "the portable zip differs"
import os, sys, zipfile
archive, stage, top = sys.argv[1:]
staged = {top + "/" + os.path.relpath(os.path.join(d, n), stage)
          for d, _, names in os.walk(stage) for n in names}
with zipfile.ZipFile(archive) as z:
    names = set(z.namelist())
    bad = names ^ staged
    bad |= {n for n in names & staged
            if z.read(n) != open(os.path.join(stage, n[len(top) + 1:]), "rb").read()}
for n in sorted(bad):
    print("zip:", n, file=sys.stderr)
sys.exit(1 if bad else 0)
EOF

# --- The program starts as Windows starts it at log-on, from the Run value.
"$wine" "$inst\\brevlin-glosser.exe" </dev/null >>"$WORK/app.log" 2>&1 &
APP_PID=$!
wait_for "$PATIENCE" has_icon || fail "the installed program shows no tray icon"
old_icon=$(icon_id)

# --- An install over it: the user's settings stay, damaged files are replaced, the program
# is closed and started again.
"$wine" reg add "$settings" /v InstallerTest /t REG_SZ /d 'kept' /f </dev/null >/dev/null 2>&1
"$wine" reg add "$settings\\Languages\\1" /v Name /t REG_SZ /d 'Mine' /f </dev/null >/dev/null 2>&1
rm "$inst_unix/share/brevlin-glosser/languages/c.bvl"
echo damaged >"$inst_unix/share/brevlin-glosser/help/index.html"
"$wine" "$setup" /S </dev/null >>"$WORK/app.log" 2>&1 || fail "the upgrade failed ($?)"
wait_for "$PATIENCE" not kill -0 "$APP_PID" || fail "the upgrade did not close the running program"
APP_PID=
wait_for "$PATIENCE" new_icon "$old_icon" || fail "the upgrade did not start the program again"
program_running || fail "no program running after the upgrade"
problems=$(same_files "$inst_unix")
[ -z "$problems" ] || fail "files after the upgrade: $problems"
expect_value "$settings" InstallerTest 'REG_SZ kept'
expect_value "$settings\\Languages\\1" Name 'REG_SZ Mine'
expect_value 'HKCU\Environment' Path "REG_EXPAND_SZ C:\\Tools;%USERPROFILE%\\bin;$inst"
expect_value "HKCU\\$run_key" 'Brevlin Glosser' "REG_SZ \"$inst\\brevlin-glosser.exe\""
echo "upgrade: the running program was closed and started again, the settings kept"

# --- A silent uninstall, as "Apps & features" runs it, while the program runs.
quiet=$(reg_value "HKCU\\$uninstall_key" QuietUninstallString)
quiet=${quiet#REG_SZ }
eval "uninstall_command=($quiet)"
"$wine" "${uninstall_command[@]}" </dev/null >>"$WORK/app.log" 2>&1 || fail "the uninstaller failed ($?)"
wait_for "$PATIENCE" not uninstaller_running || fail "the uninstaller did not finish"
wait_for "$PATIENCE" not program_running || fail "the uninstaller did not close the program"
wait_for "$PATIENCE" not has_icon || fail "the icon stayed after the uninstall"
[ ! -e "$inst_unix" ] || fail "left in the program's folder: $(cd "$inst_unix" && find .)"
[ ! -e "$shortcut" ] || fail "the shortcut is still there"
reg_key_exists "HKCU\\$uninstall_key" && fail "the uninstall key is still there"
expect_no_value "HKCU\\$run_key" 'Brevlin Glosser'
expect_value 'HKCU\Environment' Path "$user_path"
expect_value "$settings" InstallerTest 'REG_SZ kept'
state "$WORK/uninstalled"
# The user's programs folder is Windows' own known folder, made by the shell when asked for.
left=$(changes "$WORK/before" "$WORK/uninstalled" |
    grep -vF -e 'HKEY_CURRENT_USER\Software\Morvane' -e "> dir $local_appdata\Programs" || true)
[ -z "$left" ] || fail "the uninstall left behind: $left"
echo "uninstall: nothing left but the settings"

# --- For all users, without autostart and PATH; uninstalled with the settings.
"$wine" "$setup" /S /ALLUSERS /NOAUTOSTART /NOPATH </dev/null >>"$WORK/app.log" 2>&1 ||
    fail "the install for all users failed ($?)"
machine_inst=$(w cmd /c 'echo %ProgramW6432%')'\Brevlin Glosser'
machine_unix=$(unix_path "$machine_inst")
problems=$(same_files "$machine_unix")
[ -z "$problems" ] || fail "files for all users: $problems"
machine_shortcut=$(unix_path "$(w cmd /c 'echo %ProgramData%')\\Microsoft\\Windows\\Start Menu\\Programs\\Brevlin Glosser.lnk")
[ -f "$machine_shortcut" ] || fail "no Start-menu shortcut for all users"
expect_value "HKLM\\$uninstall_key" InstallLocation "REG_SZ $machine_inst"
expect_value "HKLM\\$uninstall_key" Publisher 'REG_SZ Morvane'
reg_key_exists "HKCU\\$uninstall_key" && fail "the install for all users wrote the user's uninstall key"
expect_no_value "HKLM\\$run_key" 'Brevlin Glosser'
expect_no_value "HKCU\\$run_key" 'Brevlin Glosser'
expect_value 'HKCU\Environment' Path "$user_path"
"$wine" "$machine_inst\\uninstall.exe" /S /REMOVESETTINGS </dev/null >>"$WORK/app.log" 2>&1 ||
    fail "the uninstaller for all users failed ($?)"
wait_for "$PATIENCE" not uninstaller_running || fail "the uninstaller did not finish"
wait_for "$PATIENCE" not reg_key_exists "$settings" || fail "/REMOVESETTINGS kept the settings"
state "$WORK/removed"
left=$(changes "$WORK/before" "$WORK/removed" | grep -vF "> dir $local_appdata\Programs" || true)
[ -z "$left" ] || fail "the uninstall for all users left behind: $left"
echo "installer under Wine: ok"
