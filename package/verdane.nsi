; The Windows installer of Verdane, built with NSIS (makensis) by the
; Windows build's `installer` target, which defines:
;   VERSION  the project's version, as "1.1"
;   SAVER    the built verdane.scr
;   ICON     the program's icon file
;   WIZARD   the welcome and finish pages' side picture (164 x 314)
;   HEADER   the other pages' header picture (150 x 57)
;   OUTFILE  the installer to write
; The two pictures are drawn by scripts/make-banner.sh.
;
; It puts verdane.scr into the system folder, where Windows lists screen
; savers, or into the folder given with /D=, exactly as written (a folder
; that cannot be used as written is refused); makes it the installing
; user's screen saver (a finish-page option, on by default; a silent
; install does it too), remembering the saver that was chosen before,
; each value with its registry type and bytes; and registers an
; uninstaller in Add/Remove Programs, with the saver's folder recorded
; under its key, and how many levels of that folder the install made. The
; uninstaller removes the saver from that folder, and the folders the
; install made, and gives the user back the saver they had, unless they
; have chosen another since. /S installs, and uninstalls, silently; the
; quiet uninstall command runs in place (_?=), so its exit code is the
; uninstall's own. Exit codes: 0 done, 2 failed (nothing was changed),
; and a failure is told in one line on standard error (else on the console
; of the program that started it, if any) and, unless silent, in a
; message box.

Unicode true
; The 64-bit stub: a 64-bit process sees the real System32 and the 64-bit
; registry, where 64-bit Windows looks for 64-bit savers.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define PRODUCT "Verdane"
!define PUBLISHER "Tarnwell"
!define SAVER_FILE "verdane.scr"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define DESKTOP_KEY "Control Panel\Desktop"
; Per user: the screen-saver choice that installing replaced.
!define SETUP_KEY "Software\${PUBLISHER}\verdane\Setup"
; The longest path of the saver that Windows' screen-saver settings hold
; (MAX_PATH, less the terminating null).
!define SAVER_PATH_MAX 259
; The exit code of an install or uninstall that could not be done.
!define FAILED 2

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
; Where Windows lists screen savers; /D= puts the saver elsewhere.
InstallDir "$WINDIR\System32"
ShowInstDetails nevershow
ShowUninstDetails nevershow
BrandingText "${PUBLISHER} ${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (C) ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WIZARD}"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${WIZARD}"
!define MUI_HEADERIMAGE
!define MUI_HEADERIMAGE_BITMAP "${HEADER}"
!define MUI_HEADERIMAGE_UNBITMAP "${HEADER}"
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TITLE "${PRODUCT} ${VERSION}"
!define MUI_WELCOMEPAGE_TEXT "A screen saver that grows green, forking branches over whatever your screen shows.$\r$\n$\r$\nThe saver goes into $INSTDIR, where Windows lists screen savers. The saver you use now is remembered, and you get it back if you remove ${PRODUCT} again.$\r$\n$\r$\nClick Install to go on."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TITLE "${PRODUCT} is installed"
!define MUI_FINISHPAGE_TEXT "You find it in the screen-saver settings, where $\"Settings...$\" opens its own dialog with a live preview."
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Make ${PRODUCT} my screen saver"
!define MUI_FINISHPAGE_RUN_FUNCTION MakeCurrentSaver
!define MUI_FINISHPAGE_NOREBOOTSUPPORT
!insertmacro MUI_PAGE_FINISH

!define MUI_UNCONFIRMPAGE_TEXT_TOP "This removes the ${PRODUCT} screen saver. If it is still your screen saver, the one you had before comes back. Your ${PRODUCT} settings stay."
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"


; The uninstaller's own folder; the saver's folder is $INSTDIR.
Var UninstallDir
; The uninstaller: the folder the saver was installed into.
Var SaverDir
; The installer: how many levels of $INSTDIR, counted from the bottom, did
; not exist before and so were made by this install.
Var FoldersMade

; Removes a file that may be in use: a running saver (full screen or in a
; preview) keeps its file open, but Windows lets it be renamed. The file is
; then moved aside under a temporary name in the same folder and deleted
; at the next restart; no restart is asked for, and the leftover is
; harmless: it is no longer listed as a saver. The file is still there
; afterwards only when it could be neither deleted nor moved. Sets $R8 to
; 1 when it was moved aside, else to 0.
!macro RemoveFileInUse folder file
  StrCpy $R8 0
  Delete "${folder}\${file}"
  ${If} ${FileExists} "${folder}\${file}"
    GetTempFileName $R9 "${folder}"
    Delete $R9
    Rename "${folder}\${file}" $R9
    ${IfNot} ${FileExists} "${folder}\${file}"
      StrCpy $R8 1
    ${EndIf}
    Delete /REBOOTOK $R9
    SetRebootFlag false
  ${EndIf}
!macroend

; Functions of both the installer and the uninstaller (NSIS keeps the two
; apart: the uninstaller's have the prefix "un.").
!macro DefineSharedFunctions prefix

  ; Tells the user of a failure: the message (on the stack) as one line on
  ; standard error, or, where there is none, on the console of the program
  ; that started this one, if it has one; and in a message box unless
  ; silent.
  Function ${prefix}ReportFailure
    Exch $R9
    Push $R8
    Push $R7
    StrCpy $R7 0
    System::Call "kernel32::GetStdHandle(i -12) p .R8"
    ${If} $R8 = 0
    ${OrIf} $R8 = -1
      StrCpy $R8 -1
      System::Call "kernel32::AttachConsole(i -1) i .R7"
      ${If} $R7 <> 0
        ; GENERIC_WRITE, FILE_SHARE_WRITE, OPEN_EXISTING
        System::Call 'kernel32::CreateFileW(w "CONOUT$$", i 0x40000000, i 2, p 0, i 3, i 0, p 0) p .R8'
      ${EndIf}
    ${EndIf}
    ${If} $R8 <> -1
      FileWrite $R8 "verdane setup: $R9$\r$\n"
      ${If} $R7 <> 0
        System::Call "kernel32::CloseHandle(p R8)"
      ${EndIf}
    ${EndIf}
    IfSilent +2
      MessageBox MB_OK|MB_ICONSTOP "$R9"
    Pop $R7
    Pop $R8
    Pop $R9
  FunctionEnd

  ; Sets $R0 to 1 when the path in $R1 (a registry value's text) names the
  ; file $R2, else to 0. Every spelling of the same file counts: any letter
  ; case, environment variables, and long or short (8.3) names in any part.
  ; The file must still be there for its other names to be found.
  Function ${prefix}NamesFile
    Push $R3
    Push $R4
    Push $R5
    Push $R6
    Push $R7
    StrCpy $R0 0
    ExpandEnvStrings $R3 $R1
    ${If} $R1 == $R2
    ${OrIf} $R3 == $R2
      StrCpy $R0 1
    ${Else}
      System::Call "kernel32::GetLongPathNameW(w R3, w .R4, i ${NSIS_MAX_STRLEN}) i .R6"
      System::Call "kernel32::GetLongPathNameW(w R2, w .R5, i ${NSIS_MAX_STRLEN}) i .R7"
      ${If} $R6 <> 0
      ${AndIf} $R7 <> 0
      ${AndIf} $R4 == $R5
        StrCpy $R0 1
      ${Else}
        GetFullPathName /SHORT $R4 $R3
        GetFullPathName /SHORT $R5 $R2
        ${If} $R5 != ""
        ${AndIf} $R4 == $R5
          StrCpy $R0 1
        ${EndIf}
      ${EndIf}
    ${EndIf}
    Pop $R7
    Pop $R6
    Pop $R5
    Pop $R4
    Pop $R3
  FunctionEnd

  ; Copies the user's value named $R1 from key $R2 to key $R3 (both under
  ; HKEY_CURRENT_USER) exactly as it is: its registry type and its bytes,
  ; whatever they are and however many. Sets $R0 to 1 when it was copied,
  ; to 0 when $R2 has no such value (nothing is written), and to -1 when it
  ; could not be read or written.
  Function ${prefix}CopyUserValue
    Push $0
    Push $1
    Push $2
    Push $3
    Push $4
    Push $5
    StrCpy $R0 -1
    StrCpy $4 0
    ; KEY_QUERY_VALUE
    System::Call "advapi32::RegOpenKeyExW(p 0x80000001, w R2, i 0, i 0x0001, *p .r0) i .r1"
    ${If} $1 = 2  ; ERROR_FILE_NOT_FOUND: no key, so no value
      StrCpy $R0 0
    ${ElseIf} $1 = 0
      ; The size first, then the bytes; a value that grows in between is
      ; asked for again (ERROR_MORE_DATA), a few times at most.
      StrCpy $5 0
      ${Do}
        System::Call "advapi32::RegQueryValueExW(p r0, w R1, p 0, *i .r2, p 0, *i .r3) i .r1"
        ${If} $1 = 2
          StrCpy $R0 0
          ${Break}
        ${ElseIf} $1 <> 0
          ${Break}
        ${EndIf}
        ${If} $4 <> 0
          System::Free $4
        ${EndIf}
        ; A byte more than needed, so that an empty value has a buffer too.
        IntOp $1 $3 + 1
        System::Alloc $1
        Pop $4
        ${If} $4 = 0
          ${Break}
        ${EndIf}
        System::Call "advapi32::RegQueryValueExW(p r0, w R1, p 0, *i .r2, p r4, *i r3r3) i .r1"
        ${If} $1 = 0
          StrCpy $R0 1
          ${Break}
        ${ElseIf} $1 <> 234  ; ERROR_MORE_DATA
          ${Break}
        ${EndIf}
        IntOp $5 $5 + 1
      ${LoopUntil} $5 >= 4
      System::Call "advapi32::RegCloseKey(p r0)"
    ${EndIf}
    ${If} $R0 = 1
      StrCpy $R0 -1
      ; KEY_SET_VALUE
      System::Call "advapi32::RegCreateKeyExW(p 0x80000001, w R3, i 0, p 0, i 0, i 0x0002, p 0, *p .r0, p 0) i .r1"
      ${If} $1 = 0
        System::Call "advapi32::RegSetValueExW(p r0, w R1, i 0, i r2, p r4, i r3) i .r1"
        ${If} $1 = 0
          StrCpy $R0 1
        ${EndIf}
        System::Call "advapi32::RegCloseKey(p r0)"
      ${EndIf}
    ${EndIf}
    ${If} $4 <> 0
      System::Free $4
    ${EndIf}
    Pop $5
    Pop $4
    Pop $3
    Pop $2
    Pop $1
    Pop $0
  FunctionEnd

  ; Removes the folder $R1 and, going up, its parents, $R2 levels in all
  ; (the levels that an install made). Each goes only when empty, and a
  ; level that stays (it holds something of someone else's) keeps its
  ; parents too. With $R3 = 1 the saver's file was moved aside in $R1: the
  ; levels that cannot go now go at the next restart, if empty then.
  Function ${prefix}RemoveMadeFolders
    Push $R1
    Push $R2
    ${DoWhile} $R2 > 0
      ${If} $R3 = 1
        RMDir /REBOOTOK "$R1"
        SetRebootFlag false
      ${Else}
        RMDir "$R1"
        ${If} ${FileExists} "$R1\*.*"
          ${Break}
        ${EndIf}
      ${EndIf}
      ${${prefix}GetParent} "$R1" $R1
      ${If} $R1 == ""
        ${Break}
      ${EndIf}
      IntOp $R2 $R2 - 1
    ${Loop}
    Pop $R2
    Pop $R1
  FunctionEnd

!macroend
!insertmacro DefineSharedFunctions ""
!insertmacro DefineSharedFunctions "un."

; Refuses a folder given with /D= that cannot be used exactly as written.
; NSIS itself puts InstallDir in the place of a folder it finds unusable (a
; relative path, a drive's root, a file) and leaves out characters that
; names cannot have, so the folder is read here from the command line as
; it came: NSIS ends $CMDLINE where " /D=" begins, and the rest of the line
; is the folder.
Function CheckGivenFolder
  System::Call "kernel32::GetCommandLineW() p .r0"
  System::Call "kernel32::lstrlenW(p r0) i .r1"
  System::Call "kernel32::GetCommandLineW() w .r4"
  StrLen $2 $CMDLINE
  ${If} $1 <= $2
    Return  ; no /D=: the system folder
  ${EndIf}
  StrCpy $5 $4 4 $2
  ${IfNot} $5 S== " /D="
    ; NSIS read only the start of a line this long, so a /D= further on
    ; would be passed over.
    Push "The command line is $1 characters long; at most ${NSIS_MAX_STRLEN} are read."
    Call ReportFailure
    SetErrorLevel ${FAILED}
    Quit
  ${EndIf}
  ; The folder and its length (the text holds at most ${NSIS_MAX_STRLEN}
  ; characters; the length is the whole folder's).
  IntOp $3 $1 - $2
  IntOp $3 $3 - 4
  IntOp $2 $2 + 4
  StrCpy $4 $4 "" $2
  ; Trailing backslashes name the same folder; NSIS drops them too.
  StrCpy $0 0
  ${Do}
    StrCpy $5 $4 1 -1
    ${IfThen} $5 != "\" ${|} ${Break} ${|}
    StrCpy $4 $4 -1
    IntOp $3 $3 - 1
    IntOp $0 $0 + 1
  ${Loop}

  StrLen $7 "\${SAVER_FILE}"
  IntOp $7 ${SAVER_PATH_MAX} - $7
  StrCpy $8 $4 2
  StrCpy $9 $4 2 1
  StrLen $5 $4
  StrCpy $6 ""
  ${If} $3 <= 0
    StrCpy $6 "/D= names no folder."
  ${ElseIf} $3 > $7
    StrCpy $6 "The folder given with /D= is $3 characters long; Windows' screen-saver settings take at most $7."
  ${ElseIf} $5 = 2
  ${AndIf} $0 > 0
  ${AndIf} $9 == ":"
    StrCpy $6 "$4\ is the root of a drive; give a folder on it, such as $4\Savers."
  ${ElseIfNot} $8 S== "\\"
  ${AndIfNot} $9 == ":\"
    StrCpy $6 "$4 is not a full path written with backslashes, such as C:\Savers."
  ${ElseIf} ${FileExists} "$4"
  ${AndIfNot} ${FileExists} "$4\*.*"
    StrCpy $6 "$4 is a file, not a folder."
  ${Else}
    ; What NSIS made of it, and the path as Windows reads it, must both be
    ; the folder as written: no characters left out, no "..", "." or
    ; trailing dot resolved away.
    System::Call "kernel32::GetFullPathNameW(w r4, i ${NSIS_MAX_STRLEN}, w .r9, p 0) i .r5"
    ${IfNot} $INSTDIR S== $4
    ${OrIfNot} $9 S== $4
      StrCpy $6 "$4 cannot be used exactly as written: its drive is missing, a part of it is a file, or it has a character that names cannot have or a part that Windows reads otherwise (such as .. or a trailing dot)."
    ${EndIf}
  ${EndIf}
  ${If} $6 != ""
    Push $6
    Call ReportFailure
    SetErrorLevel ${FAILED}
    Quit
  ${EndIf}
FunctionEnd

; Sets $FoldersMade to how many levels of $INSTDIR do not exist yet: the
; folders that installing into it makes.
Function CountFoldersToMake
  Push $0
  StrCpy $FoldersMade 0
  StrCpy $0 $INSTDIR
  ${DoUntil} ${FileExists} "$0\*.*"
    IntOp $FoldersMade $FoldersMade + 1
    ${GetParent} "$0" $0
    ${IfThen} $0 == "" ${|} ${Break} ${|}
  ${Loop}
  Pop $0
FunctionEnd

Function .onInit
  SetRegView 64
  Call CheckGivenFolder
  StrCpy $UninstallDir "$PROGRAMFILES64\${PRODUCT}"
FunctionEnd

; The uninstaller's file cannot go while it runs, and the quiet command
; runs it in place. So once the uninstall is done it starts a copy of
; itself from the temporary folder with /cleanup=PID; that copy waits for
; the uninstaller's process to end, removes its file and folder, and
; leaves only itself, deleted at the next restart as NSIS's own copies are.
Function un.onInit
  SetRegView 64
  ClearErrors
  ${GetOptions} $CMDLINE "/cleanup=" $R0
  ${IfNot} ${Errors}
    ; SYNCHRONIZE access; wait at most a minute.
    System::Call "kernel32::OpenProcess(i 0x100000, i 0, i R0) p .R1"
    ${If} $R1 != 0
      System::Call "kernel32::WaitForSingleObject(p R1, i 60000)"
      System::Call "kernel32::CloseHandle(p R1)"
    ${EndIf}
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete /REBOOTOK "$EXEPATH"
    SetRebootFlag false
    Quit
  ${EndIf}
FunctionEnd

; Remembers the user's screen-saver choice before it becomes this saver:
; the two values exactly as they are, or their absence. When the choice
; already names this saver (an install again), what was remembered then
; stays. Sets $R0 to 1 when the choice is remembered, to 0 when it could
; not be (nothing is then kept of it).
Function RememberUserSaver
  ReadRegStr $R1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  StrCpy $R2 "$INSTDIR\${SAVER_FILE}"
  Call NamesFile
  ${If} $R0 == 1
    Return
  ${EndIf}
  DeleteRegKey HKCU "${SETUP_KEY}"
  StrCpy $R2 "${DESKTOP_KEY}"
  StrCpy $R3 "${SETUP_KEY}"
  StrCpy $R1 "SCRNSAVE.EXE"
  Call CopyUserValue
  ${If} $R0 <> -1
    StrCpy $R1 "ScreenSaveActive"
    Call CopyUserValue
  ${EndIf}
  ${If} $R0 <> -1
    ; The key itself says that a choice was remembered.
    ClearErrors
    WriteRegDWORD HKCU "${SETUP_KEY}" "Remembered" 1
    ${IfNot} ${Errors}
      StrCpy $R0 1
      Return
    ${EndIf}
  ${EndIf}
  DeleteRegKey HKCU "${SETUP_KEY}"
  StrCpy $R0 0
FunctionEnd

; Makes this saver the user's choice, once the choice it replaces is
; remembered; one that cannot be is left as it is.
Function MakeCurrentSaver
  Call RememberUserSaver
  ${If} $R0 = 1
    WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$INSTDIR\${SAVER_FILE}"
    WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
  ${Else}
    Push "Your screen-saver choice could not be remembered, so it stays as it is."
    Call ReportFailure
  ${EndIf}
FunctionEnd

; Puts back one remembered value of the user's choice exactly, or removes
; it when none was remembered. Sets $R0 to -1 when it could not be written.
!macro RestoreDesktopValue name
  StrCpy $R1 "${name}"
  StrCpy $R2 "${SETUP_KEY}"
  StrCpy $R3 "${DESKTOP_KEY}"
  Call un.CopyUserValue
  ${If} $R0 = 0
    DeleteRegValue HKCU "${DESKTOP_KEY}" "${name}"
  ${EndIf}
!macroend

Section "Verdane"
  ; An earlier install into another folder would leave its saver behind,
  ; and the folders it made.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ReadRegDWORD $1 HKLM "${UNINSTALL_KEY}" "FolderCreated"
  IntOp $1 $1 + 0
  ${If} $0 != ""
  ${AndIf} $0 != $INSTDIR
    !insertmacro RemoveFileInUse "$0" "${SAVER_FILE}"
    StrCpy $R1 $0
    StrCpy $R2 $1
    StrCpy $R3 $R8
    Call RemoveMadeFolders
    StrCpy $1 0
  ${EndIf}
  ; The folders that this install makes go again with the saver; into the
  ; same folder again, what the first install made still counts.
  Call CountFoldersToMake
  ${If} $1 > $FoldersMade
    StrCpy $FoldersMade $1
  ${EndIf}

  SetOutPath "$INSTDIR"
  !insertmacro RemoveFileInUse "$INSTDIR" "${SAVER_FILE}"
  ClearErrors
  File "/oname=${SAVER_FILE}" "${SAVER}"
  ${If} ${Errors}
  ${OrIfNot} ${FileExists} "$INSTDIR\${SAVER_FILE}"
    StrCpy $R1 $INSTDIR
    StrCpy $R2 $FoldersMade
    StrCpy $R3 0
    Call RemoveMadeFolders
    Push "$INSTDIR\${SAVER_FILE} could not be written."
    Call ReportFailure
    SetErrorLevel ${FAILED}
    Quit
  ${EndIf}

  CreateDirectory "$UninstallDir"
  WriteUninstaller "$UninstallDir\uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${SAVER_FILE},0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  ; How many levels of the folder, from the bottom, the install made (an
  ; install before 1.1's second release made at most one, and wrote 1).
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "FolderCreated" $FoldersMade
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$UninstallDir\uninstall.exe"'
  ; In place rather than from a temporary copy, so that the caller waits
  ; for the uninstall and gets its exit code.
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$UninstallDir\uninstall.exe" /S _?=$UninstallDir'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ; In kilobytes: the saver and the uninstaller.
  ${GetSize} "$INSTDIR" "/M=${SAVER_FILE} /S=0K /G=0" $0 $1 $2
  ${GetSize} "$UninstallDir" "/S=0K" $3 $1 $2
  IntOp $0 $0 + $3
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0

  ; The finish page offers this as an option; without pages it is done here.
  ${If} ${Silent}
    Call MakeCurrentSaver
  ${EndIf}
SectionEnd

Section "Uninstall"
  ; $INSTDIR is the uninstaller's own folder; the saver's is recorded.
  ReadRegStr $SaverDir HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $SaverDir == ""
    StrCpy $SaverDir "$WINDIR\System32"  ; recorded by no install before 1.1's
  ${EndIf}

  ; Whether the user's choice still names this saver, in whatever
  ; spelling, is decided while the file is there to be named.
  ReadRegStr $R1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  StrCpy $R2 "$SaverDir\${SAVER_FILE}"
  Call un.NamesFile
  StrCpy $0 $R0

  ; A saver that cannot go fails the uninstall, which then changes nothing
  ; and stays registered, to be run again. A running saver's file is moved
  ; aside and goes at the next restart.
  !insertmacro RemoveFileInUse "$SaverDir" "${SAVER_FILE}"
  ${If} ${FileExists} "$SaverDir\${SAVER_FILE}"
    Push "$SaverDir\${SAVER_FILE} could not be removed: a program holds it. Close the programs that use it and try again."
    Call un.ReportFailure
    SetErrorLevel ${FAILED}
    Abort
  ${EndIf}
  StrCpy $1 $R8

  ; The user's choice of saver goes back to what it was before, but only
  ; while it still names this saver: a choice made since is theirs. What
  ; could not be put back stays remembered.
  StrCpy $2 0
  ${If} $0 == 1
    !insertmacro RestoreDesktopValue "SCRNSAVE.EXE"
    ${IfThen} $R0 = -1 ${|} StrCpy $2 1 ${|}
    ReadRegDWORD $R1 HKCU "${SETUP_KEY}" "Remembered"
    ${If} $R1 == 1
      !insertmacro RestoreDesktopValue "ScreenSaveActive"
      ${IfThen} $R0 = -1 ${|} StrCpy $2 1 ${|}
    ${EndIf}
  ${EndIf}
  ${If} $2 = 0
    DeleteRegKey HKCU "${SETUP_KEY}"
  ${Else}
    Push "Your earlier screen-saver choice could not be put back; it stays under HKEY_CURRENT_USER\${SETUP_KEY}."
    Call un.ReportFailure
  ${EndIf}

  ReadRegDWORD $R2 HKLM "${UNINSTALL_KEY}" "FolderCreated"
  IntOp $R2 $R2 + 0
  StrCpy $R1 $SaverDir
  StrCpy $R3 $1
  Call un.RemoveMadeFolders

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ; Run from a temporary copy (no _?=), the file is free to go now;
  ; running in place, a copy of it removes it once this process has ended.
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ${If} ${FileExists} "$INSTDIR\uninstall.exe"
    GetTempFileName $R0
    CopyFiles /SILENT "$EXEPATH" "$R0"
    System::Call "kernel32::GetCurrentProcessId() i .R1"
    Exec '"$R0" /S /cleanup=$R1 _?=$INSTDIR'
  ${EndIf}
  ; The settings under HKCU\Software\Tarnwell\verdane\Config are the
  ; user's and stay.
SectionEnd
