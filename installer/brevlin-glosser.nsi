; The Windows installer: the tray program, brevlin.exe, help, the bundled languages, the
; programs' English and Qt's Japanese buttons, a Start-menu entry, the entry in "Apps &
; features", a choice to start with Windows and one to put brevlin.exe on the PATH. Per user
; by default (no administrator); with /ALLUSERS from an elevated prompt, for every user of the
; machine.
;
; Made by scripts/windows-package.sh:
;   makensis -INPUTCHARSET UTF8 -DVERSION=2.0.0 -DSTAGE=<files> -DUNINSTALL_LIST=<nsh>
;            -DICON=<ico> -DOUTFILE=<setup.exe> brevlin-glosser.nsi
; UNINSTALL_LIST holds the Delete and RMDir lines for exactly the staged files.
;
; Switches: /S (silent), /ALLUSERS, /NOAUTOSTART, /NOPATH, /D=<folder> (last).
; The uninstaller: /S, /REMOVESETTINGS (the user's settings go too).

Unicode true
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!ifndef VERSION | STAGE | UNINSTALL_LIST | ICON | OUTFILE
  !error "VERSION, STAGE, UNINSTALL_LIST, ICON and OUTFILE must be defined"
!endif

!define PRODUCT "Brevlin Glosser"
!define PUBLISHER "Morvane"
!define EXE "brevlin-glosser.exe"
!define UNINSTALLER "uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\BrevlinGlosser"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Software\Morvane\Brevlin"
!define MACHINE_ENV_KEY "SYSTEM\CurrentControlSet\Control\Session Manager\Environment"
; Qt names the hidden window that owns its tray icon so, in every version.
!define QT_TRAY_WINDOW "QTrayIconMessageWindow"
; NSIS strings hold NSIS_MAX_STRLEN - 1 characters: a PATH that long may have been cut short.
!define /math PATH_LIMIT ${NSIS_MAX_STRLEN} - 1

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include WinMessages.nsh

Var AllUsers     ; 1: for every user (SHCTX is HKLM), 0: for this user
Var EnvKey       ; where PATH lives for the chosen mode
Var Closed       ; how many running copies were asked to exit

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_COMPONENTS
; An upgrade goes where the installed version is: another folder would orphan it.
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipFolderOnUpgrade
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

; The first is the fallback; otherwise the installer follows Windows' display language.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} ProductName "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} CompanyName "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} FileDescription "${PRODUCT} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} FileVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} ProductVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} LegalCopyright "${PUBLISHER}"

LangString SecProgramName ${LANG_ENGLISH} "${PRODUCT}"
LangString SecProgramName ${LANG_JAPANESE} "${PRODUCT}"
LangString SecAutostartName ${LANG_ENGLISH} "Start with Windows"
LangString SecAutostartName ${LANG_JAPANESE} "Windows の起動時に開始する"
LangString SecPathName ${LANG_ENGLISH} "Add brevlin.exe to my PATH"
LangString SecPathName ${LANG_JAPANESE} "brevlin.exe を PATH に追加する"
LangString UnSecSettingsName ${LANG_ENGLISH} "Also remove my settings and languages"
LangString UnSecSettingsName ${LANG_JAPANESE} "設定と言語も削除する"
LangString NeedAdmin ${LANG_ENGLISH} "Installing for all users needs administrator rights. Run the installer as administrator, or without /ALLUSERS to install it for yourself."
LangString NeedAdmin ${LANG_JAPANESE} "すべてのユーザー用のインストールには管理者権限が必要です。管理者として実行するか、/ALLUSERS を付けずに実行して自分用にインストールしてください。"
LangString UnNeedAdmin ${LANG_ENGLISH} "${PRODUCT} was installed for all users: uninstalling it needs administrator rights."
LangString UnNeedAdmin ${LANG_JAPANESE} "${PRODUCT} はすべてのユーザー用にインストールされています。アンインストールには管理者権限が必要です。"
LangString StillRunning ${LANG_ENGLISH} "${PRODUCT} is running and did not exit. Close it (right-click its icon, then Close) and click Retry."
LangString StillRunning ${LANG_JAPANESE} "${PRODUCT} が実行中で、終了しませんでした。通知領域のアイコンを右クリックして「閉じる」を選び、[再試行] をクリックしてください。"
LangString PathTooLong ${LANG_ENGLISH} "PATH is too long to be changed here safely and was left as it is."
LangString PathTooLong ${LANG_JAPANESE} "PATH が長すぎるため安全に変更できません。変更せずにそのままにしました。"

; Asks every running copy of the tray program from this folder to exit, as Windows does at
; log-off: WM_CLOSE to the hidden window Qt keeps for the tray icon quits the program. Other
; programs' windows of that name are left alone (the process's file must be ours). If one does
; not exit, the user closes it and retries, or the setup stops (silent: exit code 2).
!macro CLOSE_RUNNING un
Function ${un}CloseRunning
  StrCpy $Closed 0
  retry:
  StrCpy $0 0
  next:
    System::Call 'user32::FindWindowExW(p 0, p r0, p 0, w "${QT_TRAY_WINDOW}") p .r0'
    StrCmp $0 0 done
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1) i'
    ; PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE
    System::Call 'kernel32::OpenProcess(i 0x101000, i 0, i r1) p .r2'
    StrCmp $2 0 next
    StrCpy $3 ""
    System::Call 'kernel32::QueryFullProcessImageNameW(p r2, i 0, w .r3, *i ${NSIS_MAX_STRLEN}) i'
    ${If} $3 != "$INSTDIR\${EXE}"
      System::Call 'kernel32::CloseHandle(p r2)'
      Goto next
    ${EndIf}
    DetailPrint "Closing ${PRODUCT} (process $1)"
    System::Call 'user32::PostMessageW(p r0, i ${WM_CLOSE}, p 0, p 0)'
    System::Call 'kernel32::WaitForSingleObject(p r2, i 15000) i .r4'
    System::Call 'kernel32::CloseHandle(p r2)'
    ${If} $4 != 0
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(StillRunning)" /SD IDCANCEL IDRETRY retry
      SetErrorLevel 2
      Quit
    ${EndIf}
    IntOp $Closed $Closed + 1
    ; Its window is gone, so the search starts over.
    Goto retry
  done:
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING ""
!insertmacro CLOSE_RUNNING "un."

; Takes our folder out of PATH again, if this installer put it there (the uninstall key
; records it); every other entry stays as it was, empty ones too.
!macro REMOVE_FROM_PATH un
Function ${un}RemoveFromPath
  ReadRegStr $6 SHCTX "${UNINSTALL_KEY}" PathEntry
  StrCmp $6 "" end
  ClearErrors
  ReadRegStr $0 SHCTX "$EnvKey" Path
  ${If} ${Errors}
    Goto forget
  ${EndIf}
  StrLen $1 $0
  ${If} $1 >= ${PATH_LIMIT}
    ; Read cut short: writing it back would lose the rest.
    DetailPrint "$(PathTooLong)"
    Goto end
  ${EndIf}
  StrCpy $1 ""     ; the entries kept
  StrCpy $7 0      ; 1 once one is kept
  StrCpy $8 $0     ; what is left to split
  entry:
    StrCpy $2 0
    StrLen $4 $8
    scan:
      ${If} $2 >= $4
        StrCpy $3 $8
        StrCpy $8 ""
        StrCpy $5 1
      ${Else}
        StrCpy $5 $8 1 $2
        ${If} $5 != ";"
          IntOp $2 $2 + 1
          Goto scan
        ${EndIf}
        StrCpy $3 $8 $2
        IntOp $2 $2 + 1
        StrCpy $8 $8 "" $2
        StrCpy $5 0
      ${EndIf}
    ${If} $3 != $6
      ${If} $7 = 1
        StrCpy $1 "$1;$3"
      ${Else}
        StrCpy $1 $3
        StrCpy $7 1
      ${EndIf}
    ${EndIf}
    StrCmp $5 0 entry
  ${If} $1 == $0
    Goto forget
  ${EndIf}
  ReadRegStr $2 SHCTX "${UNINSTALL_KEY}" PathCreated
  ${If} $1 == ""
  ${AndIf} $2 == 1
    DeleteRegValue SHCTX "$EnvKey" Path
  ${Else}
    WriteRegExpandStr SHCTX "$EnvKey" Path $1
  ${EndIf}
  DetailPrint "PATH: $1"
  SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
  forget:
  DeleteRegValue SHCTX "${UNINSTALL_KEY}" PathEntry
  DeleteRegValue SHCTX "${UNINSTALL_KEY}" PathCreated
  end:
FunctionEnd
!macroend
!insertmacro REMOVE_FROM_PATH ""
!insertmacro REMOVE_FROM_PATH "un."

Section "!$(SecProgramName)" SecProgram
  SectionIn RO
  Call CloseRunning
  SetOutPath "$INSTDIR"
  File /r "${STAGE}/*"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0
  WriteRegStr SHCTX "${UNINSTALL_KEY}" DisplayName "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" DisplayVersion "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" Publisher "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" DisplayIcon "$INSTDIR\${EXE},0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" InstallLocation "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" UninstallString '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" QuietUninstallString '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" NoModify 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" NoRepair 1
SectionEnd

Section "$(SecAutostartName)" SecAutostart
  WriteRegStr SHCTX "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\${EXE}"'
SectionEnd

Section "$(SecPathName)" SecPath
  ClearErrors
  ReadRegStr $0 SHCTX "$EnvKey" Path
  ${If} ${Errors}
    StrCpy $9 1     ; no Path value yet: the uninstaller may remove the one made here
    StrCpy $0 ""
  ${Else}
    StrCpy $9 0
  ${EndIf}
  ; Already there (put there by the user, or by an earlier install): left as it is.
  StrCpy $1 ";$0;"
  StrLen $2 ";$INSTDIR;"
  StrLen $3 $1
  StrCpy $4 0
  ${DoWhile} $4 < $3
    StrCpy $5 $1 $2 $4
    ${If} $5 == ";$INSTDIR;"
      Return
    ${EndIf}
    IntOp $4 $4 + 1
  ${Loop}
  StrLen $1 $0
  StrLen $2 $INSTDIR
  IntOp $1 $1 + $2
  ${If} $1 >= ${PATH_LIMIT}
    ; A longer value is read cut short: writing it back would lose the rest.
    DetailPrint "$(PathTooLong)"
    MessageBox MB_ICONINFORMATION "$(PathTooLong)$\n$\n$INSTDIR" /SD IDOK
    Return
  ${EndIf}
  ${If} $0 == ""
    StrCpy $0 $INSTDIR
  ${ElseIf} $0 != ";"
    StrCpy $1 $0 1 -1
    ${If} $1 == ";"
      StrCpy $0 "$0$INSTDIR"
    ${Else}
      StrCpy $0 "$0;$INSTDIR"
    ${EndIf}
  ${EndIf}
  WriteRegExpandStr SHCTX "$EnvKey" Path $0
  WriteRegStr SHCTX "${UNINSTALL_KEY}" PathEntry "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" PathCreated $9
  DetailPrint "PATH: $0"
  SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
SectionEnd

; An upgrade follows the choices made now: what is no longer wanted goes.
Section "-Choices"
  ${IfNot} ${SectionIsSelected} ${SecAutostart}
    ReadRegStr $0 SHCTX "${RUN_KEY}" "${PRODUCT}"
    ${If} $0 == '"$INSTDIR\${EXE}"'
      DeleteRegValue SHCTX "${RUN_KEY}" "${PRODUCT}"
    ${EndIf}
  ${EndIf}
  ${IfNot} ${SectionIsSelected} ${SecPath}
    Call RemoveFromPath
  ${EndIf}
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" EstimatedSize $0
SectionEnd

Function .onInit
  SetRegView 64
  StrCpy $AllUsers 0
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/ALLUSERS" $R1
  ${IfNot} ${Errors}
    UserInfo::GetAccountType
    Pop $R1
    ${If} $R1 != "Admin"
      MessageBox MB_ICONSTOP "$(NeedAdmin)" /SD IDOK
      SetErrorLevel 740 ; ERROR_ELEVATION_REQUIRED
      Quit
    ${EndIf}
    StrCpy $AllUsers 1
  ${EndIf}

  ${If} $AllUsers = 1
    SetShellVarContext all
    StrCpy $EnvKey "${MACHINE_ENV_KEY}"
  ${Else}
    SetShellVarContext current
    StrCpy $EnvKey "Environment"
  ${EndIf}

  ; An installed version is upgraded where it is, with the choices made for it then.
  ReadRegStr $R2 SHCTX "${UNINSTALL_KEY}" InstallLocation
  ${If} $R2 != ""
    ${If} $INSTDIR == ""
      StrCpy $INSTDIR $R2
    ${EndIf}
    ReadRegStr $R3 SHCTX "${RUN_KEY}" "${PRODUCT}"
    ${If} $R3 == ""
      !insertmacro UnselectSection ${SecAutostart}
    ${EndIf}
    ReadRegStr $R3 SHCTX "${UNINSTALL_KEY}" PathEntry
    ${If} $R3 == ""
      !insertmacro UnselectSection ${SecPath}
    ${EndIf}
  ${EndIf}

  ${If} $INSTDIR == ""
    ${If} $AllUsers = 1
      StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
    ${Else}
      ; The user's own programs folder (FOLDERID_UserProgramFiles, made if missing).
      System::Call 'shell32::SHGetKnownFolderPath(g "{5CD7AEE2-2219-4A67-B85D-6C9CE15660CB}", i 0x8000, p 0, *p .r1) i .r0'
      ${If} $0 = 0
        System::Call '*$1(&w${NSIS_MAX_STRLEN} .r2)'
        System::Call 'ole32::CoTaskMemFree(p r1)'
        StrCpy $INSTDIR "$2\${PRODUCT}"
      ${Else}
        StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT}"
      ${EndIf}
    ${EndIf}
  ${EndIf}

  ClearErrors
  ${GetOptions} $R0 "/NOAUTOSTART" $R1
  ${IfNot} ${Errors}
    !insertmacro UnselectSection ${SecAutostart}
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/NOPATH" $R1
  ${IfNot} ${Errors}
    !insertmacro UnselectSection ${SecPath}
  ${EndIf}
FunctionEnd

Function SkipFolderOnUpgrade
  ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" InstallLocation
  ${If} $0 != ""
    Abort
  ${EndIf}
FunctionEnd

; A silent upgrade gives the user back the program it closed. Per user only: started from an
; elevated setup it would run elevated.
Function .onInstSuccess
  ${If} ${Silent}
  ${AndIf} $Closed > 0
  ${AndIf} $AllUsers = 0
    Exec '"$INSTDIR\${EXE}"'
  ${EndIf}
FunctionEnd

Section "-un.Program"
  Call un.CloseRunning
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  ReadRegStr $0 SHCTX "${RUN_KEY}" "${PRODUCT}"
  ${If} $0 == '"$INSTDIR\${EXE}"'
    DeleteRegValue SHCTX "${RUN_KEY}" "${PRODUCT}"
  ${EndIf}
  Call un.RemoveFromPath
  !include "${UNINSTALL_LIST}"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  ; The folder the program makes for its running instance, once empty (it holds nothing while
  ; the program is closed). Another user's stays: it is in that user's profile.
  ; The user's own folder even in a per-machine uninstall, whose $LOCALAPPDATA is the machine's.
  ExpandEnvStrings $1 "%LOCALAPPDATA%"
  RMDir "$1\Morvane\Brevlin"
  RMDir "$1\Morvane"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ; A fresh profile has no such key until a first install makes it.
  DeleteRegKey /ifempty SHCTX "Software\Microsoft\Windows\CurrentVersion\Uninstall"
SectionEnd

Section /o "un.$(UnSecSettingsName)" UnSecSettings
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Morvane"
SectionEnd

Function un.onInit
  SetRegView 64
  ; Installed for all users if the machine's uninstall key names this folder.
  ReadRegStr $R0 HKLM "${UNINSTALL_KEY}" InstallLocation
  ${If} $R0 == $INSTDIR
    UserInfo::GetAccountType
    Pop $R1
    ${If} $R1 != "Admin"
      MessageBox MB_ICONSTOP "$(UnNeedAdmin)" /SD IDOK
      SetErrorLevel 740
      Quit
    ${EndIf}
    StrCpy $AllUsers 1
    SetShellVarContext all
    StrCpy $EnvKey "${MACHINE_ENV_KEY}"
  ${Else}
    StrCpy $AllUsers 0
    SetShellVarContext current
    StrCpy $EnvKey "Environment"
  ${EndIf}
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/REMOVESETTINGS" $R1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${UnSecSettings}
  ${EndIf}
FunctionEnd
