; The Zelvane installer: puts ssZelvane.scr into the Windows system folder, where the
; Screen Saver list finds it, can make it the current screen saver, and registers an
; uninstaller that takes all of it back out.
;
;   makensis -DSCR=<ssZelvane.scr> -DVERSION=<a.b.c.d> [-DOUTFILE=<setup.exe>]
;            [-DTARGET=x86-unicode|amd64-unicode] zelvane.nsi
;
; The shipped installer is 32-bit (x86-unicode) and carries the 32-bit .scr; amd64-unicode
; packages the 64-bit build for machines that run only 64-bit code.
;
; Command line of the installer:
;   /S             silent
;   /SETACTIVE=1   make Zelvane the current screen saver (silent default: leave it alone;
;                  interactive: the option is preselected). /SETACTIVE=0 turns it off.
;   /D=<folder>    where the uninstaller goes (last on the line, no quotes)
; Uninstaller: "Uninstall.exe" [/S]

!ifndef SCR
    !error "Pass the screen saver to package: -DSCR=<path of ssZelvane.scr>"
!endif
!ifndef VERSION
    !error "Pass the program's version: -DVERSION=<major.minor.build.revision>"
!endif
!ifndef TARGET
    !define TARGET x86-unicode
!endif
!ifndef OUTFILE
    !define OUTFILE "ZelvaneSetup-${VERSION}.exe"
!endif

Target ${TARGET}
SetCompressor /SOLID lzma
; The installed file gets the time it is installed, not its build time: two builds of the
; same sources give the same installer.
SetDateSave off
ManifestDPIAware true
; It writes the system folder and HKLM, so it installs for the whole machine.
RequestExecutionLevel admin

!include LogicLib.nsh
!include FileFunc.nsh
!include nsDialogs.nsh
!include MUI2.nsh

!define APP_NAME "Zelvane"
!define PUBLISHER "Zelvane"
!define SCR_NAME "ssZelvane.scr"
!define UNINSTALLER "Uninstall.exe"
; The uninstaller runs from a copy in the temp folder; the one it was started as may take a
; moment to end, and until then its file cannot be deleted.
!define UNINSTALLER_DELETE_TRIES 50
!define UNINSTALLER_RETRY_MS 100
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zelvane"
!define DESKTOP_KEY "Control Panel\Desktop"
!define SAVER_VALUE "SCRNSAVE.EXE"
!define ACTIVE_VALUE "ScreenSaveActive"
; Per user, because the saver values it guards are per user: what the installer replaced.
!define RECORD_KEY "Software\Zelvane\Installer"
!define RECORD_PARENT_KEY "Software\Zelvane"
; The program's own per-user value (ActiveSetup): nothing of it outlives an uninstall.
!define SETTINGS_KEY "Software\Zelvane\Settings"

; Win32 values used through the System plug-in.
!define HKCU_HANDLE -2147483647          ; HKEY_CURRENT_USER, sign-extended on 64-bit
!define RRF_RT_ANY_NOEXPAND 0x1000FFFF   ; any type, REG_EXPAND_SZ left unexpanded
!define REG_EXPAND_SZ 2
!define ERROR_SUCCESS 0
!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_SENDCHANGE 2
!define ERROR_ELEVATION_REQUIRED 740
!define ERROR_BAD_ARGUMENTS 160
!define MAX_PATH_CHARS 1024

Name "${APP_NAME}"
Caption "${APP_NAME} ${VERSION} Setup"
OutFile "${OUTFILE}"
BrandingText "${APP_NAME} ${VERSION}"
!if "${TARGET}" == "amd64-unicode"
    InstallDir "$PROGRAMFILES64\${APP_NAME}"
!else
    InstallDir "$PROGRAMFILES\${APP_NAME}"
!endif
; A reinstall keeps the uninstaller where the last one put it.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${APP_NAME}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${APP_NAME} screen saver setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright 2020 ${PUBLISHER}"

Var ScrFile       ; the installed screen saver, as the 64-bit shell names it too
Var SetActive     ; 1: make Zelvane the current screen saver
Var SetActiveBox  ; the option's checkbox on its page

!define MUI_ICON "${__FILEDIR__}/../resources/clock.ico"
!define MUI_UNICON "${__FILEDIR__}/../resources/clock.ico"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "Setup will install the ${APP_NAME} clock screen saver on this computer. \
Afterwards it is listed as $\"${APP_NAME}$\" in the Screen Saver settings.$\r$\n$\r$\n$_CLICK"
!insertmacro MUI_PAGE_WELCOME
Page custom OptionsPageCreate OptionsPageLeave
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Open the Screen Saver settings"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenScreenSaverSettings
!define MUI_FINISHPAGE_RUN_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; --- shared by the installer and the uninstaller ------------------------------------

; Sets $ScrFile. A 32-bit program on 64-bit Windows sees SysWOW64 under the name
; System32 ($SYSDIR), so the path that 64-bit Windows reads back (SCRNSAVE.EXE,
; DisplayIcon) must name SysWOW64 itself. The file system redirection stays on.
!macro DEFINE_SCREEN_SAVER_PATH UN
Function ${UN}ScreenSaverPath
    StrCpy $ScrFile "$SYSDIR\${SCR_NAME}"
!if "${TARGET}" == "x86-unicode"
    System::Call 'kernel32::GetSystemWow64DirectoryW(w .r0, i ${NSIS_MAX_STRLEN}) i .r1'
    ${If} $1 <> 0
        StrCpy $ScrFile "$0\${SCR_NAME}"
    ${EndIf}
!endif
FunctionEnd
!macroend
!insertmacro DEFINE_SCREEN_SAVER_PATH ""
!insertmacro DEFINE_SCREEN_SAVER_PATH "un."

; SCRNSAVE.EXE may spell the installed file in several ways: the long path the Screen Saver
; settings write, a short (8.3) name, environment variables (REG_EXPAND_SZ), and for the
; 32-bit file on 64-bit Windows also System32, which redirection maps to SysWOW64 for a
; 32-bit program. $R2 = the path in $R2 in one spelling; $R3 to $R6 are used. Any short
; name resolves only while the file exists.
!macro DEFINE_IS_ZELVANE_PATH UN
Function ${UN}OneSpelling
    ExpandEnvStrings $R2 $R2
    System::Call 'kernel32::GetLongPathNameW(w R2, w .R3, i ${MAX_PATH_CHARS}) i .R4'
    ${If} $R4 <> 0
        StrCpy $R2 $R3
    ${EndIf}
!if "${TARGET}" == "x86-unicode"
    System::Call 'kernel32::GetSystemWow64DirectoryW(w .R3, i ${NSIS_MAX_STRLEN}) i .R4'
    ${If} $R4 <> 0
        StrCpy $R5 "$WINDIR\System32\"
        StrLen $R4 $R5
        StrCpy $R6 $R2 $R4
        ${If} $R6 == $R5   ; case-insensitive, as Windows paths are
            StrCpy $R6 $R2 "" $R4
            StrCpy $R2 "$R3\$R6"
        ${EndIf}
    ${EndIf}
!endif
FunctionEnd

; $R0 = 1 when the path in $R1 names the same file as $ScrFile.
Function ${UN}IsZelvanePath
    StrCpy $R2 $ScrFile
    Call ${UN}OneSpelling
    Push $R2
    StrCpy $R2 $R1
    Call ${UN}OneSpelling
    Pop $R1
    StrCpy $R0 0
    ${If} $R2 == $R1   ; case-insensitive, as Windows paths are
        StrCpy $R0 1
    ${EndIf}
FunctionEnd
!macroend
!insertmacro DEFINE_IS_ZELVANE_PATH ""
!insertmacro DEFINE_IS_ZELVANE_PATH "un."

; Reads HKCU\Control Panel\Desktop\<name>: $R7 = its type (0 when it does not exist),
; $R8 = its text as stored.
!macro READ_DESKTOP_VALUE NAME
    StrCpy $R7 0
    StrCpy $R8 ""
    System::Call 'advapi32::RegGetValueW(p ${HKCU_HANDLE}, w "${DESKTOP_KEY}", w "${NAME}", \
        i ${RRF_RT_ANY_NOEXPAND}, *i .R6, p 0, p 0) i .R9'
    ${If} $R9 = ${ERROR_SUCCESS}
        StrCpy $R7 $R6
        ClearErrors
        ReadRegStr $R8 HKCU "${DESKTOP_KEY}" "${NAME}"
    ${EndIf}
!macroend

; Tells running programs that the screen saver was switched on or off ($0 = 1 or 0); the
; registry already holds the new values.
!macro ANNOUNCE_SCREEN_SAVER_STATE
    System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i r0, p 0, \
        i ${SPIF_SENDCHANGE}) i .r1'
!macroend

; Refuses to run without administrator rights (where no elevation prompt gave them).
!macro REQUIRE_ADMIN
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 != "admin"
        MessageBox MB_ICONSTOP "${APP_NAME} installs into the Windows system folder; please run this as an administrator." /SD IDOK
        SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
        Quit
    ${EndIf}
!macroend

; --- installer --------------------------------------------------------------------

Function .onInit
    !insertmacro REQUIRE_ADMIN
!if "${TARGET}" == "amd64-unicode"
    SetRegView 64
!endif
    ; Interactive: the option starts checked. Silent: nothing changes unless asked.
    ${If} ${Silent}
        StrCpy $SetActive 0
    ${Else}
        StrCpy $SetActive 1
    ${EndIf}
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/SETACTIVE" $R1
    ${IfNot} ${Errors}
        ${If} $R1 == ""
        ${OrIf} $R1 == "=1"
            StrCpy $SetActive 1
        ${ElseIf} $R1 == "=0"
            StrCpy $SetActive 0
        ${Else}
            MessageBox MB_ICONSTOP "Unknown value: /SETACTIVE$R1 (use /SETACTIVE=1 or /SETACTIVE=0)." /SD IDOK
            SetErrorLevel ${ERROR_BAD_ARGUMENTS}
            Quit
        ${EndIf}
    ${EndIf}
FunctionEnd

Function OptionsPageCreate
    !insertmacro MUI_HEADER_TEXT "Screen saver" "Choose whether ${APP_NAME} becomes your screen saver."
    nsDialogs::Create 1018
    Pop $0
    ${If} $0 == error
        Abort
    ${EndIf}
    ${NSD_CreateCheckbox} 0 0 100% 12u "&Make ${APP_NAME} my current screen saver"
    Pop $SetActiveBox
    ${If} $SetActive = 1
        ${NSD_Check} $SetActiveBox
    ${EndIf}
    ${NSD_CreateLabel} 0 20u 100% 36u "Uninstalling ${APP_NAME} later gives you back the screen saver you have now, unless you have chosen another one by then."
    Pop $0
    nsDialogs::Show
FunctionEnd

Function OptionsPageLeave
    ${NSD_GetState} $SetActiveBox $0
    ${If} $0 == ${BST_CHECKED}
        StrCpy $SetActive 1
    ${Else}
        StrCpy $SetActive 0
    ${EndIf}
FunctionEnd

Function OpenScreenSaverSettings
    Exec '"$SYSDIR\rundll32.exe" shell32.dll,Control_RunDLL desk.cpl,,@screensaver'
FunctionEnd

; Makes Zelvane the current screen saver, recording first what it replaces. A reinstall
; while Zelvane is still current keeps the record: Zelvane is not its own predecessor.
Function MakeCurrentScreenSaver
    StrCpy $R0 0
    ReadRegDWORD $0 HKCU "${RECORD_KEY}" "ScreenSaverReplaced"
    ${If} $0 = 1
        ClearErrors
        ReadRegStr $R1 HKCU "${DESKTOP_KEY}" "${SAVER_VALUE}"
        ${IfNot} ${Errors}
            Call IsZelvanePath
        ${EndIf}
    ${EndIf}
    ${If} $R0 <> 1
        !insertmacro READ_DESKTOP_VALUE "${SAVER_VALUE}"
        WriteRegDWORD HKCU "${RECORD_KEY}" "PreviousScreenSaverType" $R7
        WriteRegStr HKCU "${RECORD_KEY}" "PreviousScreenSaver" $R8
        !insertmacro READ_DESKTOP_VALUE "${ACTIVE_VALUE}"
        WriteRegDWORD HKCU "${RECORD_KEY}" "PreviousActiveType" $R7
        WriteRegStr HKCU "${RECORD_KEY}" "PreviousActive" $R8
        WriteRegDWORD HKCU "${RECORD_KEY}" "ScreenSaverReplaced" 1
    ${EndIf}
    WriteRegStr HKCU "${DESKTOP_KEY}" "${SAVER_VALUE}" $ScrFile
    WriteRegStr HKCU "${DESKTOP_KEY}" "${ACTIVE_VALUE}" "1"
    StrCpy $0 1
    !insertmacro ANNOUNCE_SCREEN_SAVER_STATE
    DetailPrint "${APP_NAME} is now the current screen saver."
FunctionEnd

Section "Zelvane"
    Call ScreenSaverPath
    SetOutPath "$SYSDIR"
    File "/oname=${SCR_NAME}" "${SCR}"

    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    ; Add/Remove Programs.
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${APP_NAME}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$ScrFile,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/M=${UNINSTALLER} /S=0K /G=0" $0 $1 $2
    ${GetSize} "$SYSDIR" "/M=${SCR_NAME} /S=0K /G=0" $3 $1 $2
    IntOp $0 $0 + $3
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0

    ${If} $SetActive = 1
        Call MakeCurrentScreenSaver
    ${EndIf}
SectionEnd

; --- uninstaller ------------------------------------------------------------------

Function un.onInit
    !insertmacro REQUIRE_ADMIN
!if "${TARGET}" == "amd64-unicode"
    SetRegView 64
!endif
FunctionEnd

; Puts back the value recorded in RECORD_KEY under PREFIX ("<PREFIX>Type", "<PREFIX>"):
; deletes it when it did not exist, else writes the text with its string type.
!macro RESTORE_DESKTOP_VALUE NAME PREFIX
    ReadRegDWORD $R7 HKCU "${RECORD_KEY}" "${PREFIX}Type"
    ReadRegStr $R8 HKCU "${RECORD_KEY}" "${PREFIX}"
    ${If} $R7 = 0
        DeleteRegValue HKCU "${DESKTOP_KEY}" "${NAME}"
    ${ElseIf} $R7 = ${REG_EXPAND_SZ}
        WriteRegExpandStr HKCU "${DESKTOP_KEY}" "${NAME}" $R8
    ${Else}
        WriteRegStr HKCU "${DESKTOP_KEY}" "${NAME}" $R8
    ${EndIf}
!macroend

; Gives back the screen saver that the installer replaced, unless the user has chosen
; another one since. Runs while the .scr still exists, so its long path can be compared.
Function un.RestorePreviousScreenSaver
    ClearErrors
    ReadRegDWORD $0 HKCU "${RECORD_KEY}" "ScreenSaverReplaced"
    ${If} ${Errors}
    ${OrIf} $0 <> 1
        Return
    ${EndIf}
    ClearErrors
    ReadRegStr $R1 HKCU "${DESKTOP_KEY}" "${SAVER_VALUE}"
    ${IfNot} ${Errors}
        Call un.IsZelvanePath
        ${If} $R0 = 1
            ; Switched off meanwhile stays off; only the "1" written at install goes back.
            ReadRegStr $1 HKCU "${DESKTOP_KEY}" "${ACTIVE_VALUE}"
            ${If} $1 == "1"
                !insertmacro RESTORE_DESKTOP_VALUE "${ACTIVE_VALUE}" "PreviousActive"
            ${EndIf}
            !insertmacro RESTORE_DESKTOP_VALUE "${SAVER_VALUE}" "PreviousScreenSaver"
            ReadRegStr $1 HKCU "${DESKTOP_KEY}" "${ACTIVE_VALUE}"
            StrCpy $0 0
            ${If} $1 == "1"
                StrCpy $0 1
            ${EndIf}
            !insertmacro ANNOUNCE_SCREEN_SAVER_STATE
            DetailPrint "Restored the previous screen saver."
        ${EndIf}
    ${EndIf}
    DeleteRegKey HKCU "${RECORD_KEY}"
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "${RECORD_PARENT_KEY}"
FunctionEnd

Section "Uninstall"
    Call un.ScreenSaverPath
    Call un.RestorePreviousScreenSaver
    Delete /REBOOTOK "$ScrFile"
    StrCpy $0 0
  delete_uninstaller:
    Delete "$INSTDIR\${UNINSTALLER}"
    IfFileExists "$INSTDIR\${UNINSTALLER}" 0 uninstaller_deleted
    IntOp $0 $0 + 1
    IntCmp $0 ${UNINSTALLER_DELETE_TRIES} uninstaller_busy
    Sleep ${UNINSTALLER_RETRY_MS}
    Goto delete_uninstaller
  uninstaller_busy:
    Delete /REBOOTOK "$INSTDIR\${UNINSTALLER}"
  uninstaller_deleted:
    RMDir /REBOOTOK "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
