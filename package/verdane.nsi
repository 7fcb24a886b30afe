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
; savers, or into the folder given with /D=; makes it the installing
; user's screen saver (a finish-page option, on by default; a silent
; install does it too), remembering the saver that was chosen before; and
; registers an uninstaller in Add/Remove Programs, with the saver's folder
; recorded under its key. The uninstaller removes the saver from that
; folder and gives the user back the saver they had, unless they have
; chosen another since. /S installs, and uninstalls, silently; the quiet
; uninstall command runs in place (_?=), so its exit code is the
; uninstall's own: 0 done, 2 failed.

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

; Removes a file that may be in use: a running saver (full screen or in a
; preview) keeps its file open, but Windows lets it be renamed. The file is then moved aside under
; a temporary name in the same folder and deleted at the next restart; no
; restart is asked for, the leftover is harmless. The file is still there
; afterwards only when it could be neither deleted nor moved.
!macro RemoveFileInUse folder file
  Delete "${folder}\${file}"
  ${If} ${FileExists} "${folder}\${file}"
    GetTempFileName $R9 "${folder}"
    Delete $R9
    Rename "${folder}\${file}" $R9
    Delete /REBOOTOK $R9
    SetRebootFlag false
  ${EndIf}
!macroend

; Sets $R0 to 1 when the path in $R1 names the file in $R2, in its long or
; its short (8.3) form, else to 0; names compare without case.
!macro DefineNamesFile prefix
  Function ${prefix}NamesFile
    StrCpy $R0 0
    ${If} $R1 == $R2
      StrCpy $R0 1
    ${Else}
      GetFullPathName /SHORT $R3 $R1
      GetFullPathName /SHORT $R4 $R2
      ${If} $R4 != ""
      ${AndIf} $R3 == $R4
        StrCpy $R0 1
      ${EndIf}
    ${EndIf}
  FunctionEnd
!macroend
!insertmacro DefineNamesFile ""
!insertmacro DefineNamesFile "un."

Function .onInit
  SetRegView 64
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
; the two values as they are, or their absence. When the choice already
; names this saver (an install again), what was remembered then stays.
Function RememberUserSaver
  ReadRegStr $R1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  StrCpy $R2 "$INSTDIR\${SAVER_FILE}"
  Call NamesFile
  ${If} $R0 == 1
    Return
  ${EndIf}
  DeleteRegKey HKCU "${SETUP_KEY}"
  ClearErrors
  ReadRegStr $R1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${IfNot} ${Errors}
    WriteRegStr HKCU "${SETUP_KEY}" "SCRNSAVE.EXE" $R1
  ${EndIf}
  ClearErrors
  ReadRegStr $R1 HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
  ${IfNot} ${Errors}
    WriteRegStr HKCU "${SETUP_KEY}" "ScreenSaveActive" $R1
  ${EndIf}
  ; The key itself says that a choice was remembered.
  WriteRegDWORD HKCU "${SETUP_KEY}" "Remembered" 1
FunctionEnd

Function MakeCurrentSaver
  Call RememberUserSaver
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$INSTDIR\${SAVER_FILE}"
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
FunctionEnd

; Puts back, or removes, one remembered value of the user's choice.
!macro RestoreDesktopValue name
  ClearErrors
  ReadRegStr $R1 HKCU "${SETUP_KEY}" "${name}"
  ${If} ${Errors}
    DeleteRegValue HKCU "${DESKTOP_KEY}" "${name}"
  ${Else}
    WriteRegStr HKCU "${DESKTOP_KEY}" "${name}" $R1
  ${EndIf}
!macroend

Section "Verdane"
  ; An earlier install into another folder would leave its saver behind.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ReadRegDWORD $1 HKLM "${UNINSTALL_KEY}" "FolderCreated"
  ${If} $0 != ""
  ${AndIf} $0 != $INSTDIR
    !insertmacro RemoveFileInUse "$0" "${SAVER_FILE}"
    ${If} $1 == 1
      RMDir "$0"
    ${EndIf}
    StrCpy $1 0
  ${EndIf}
  ; A folder that this installer makes goes again with the saver.
  ${IfNot} ${FileExists} "$INSTDIR\*.*"
    StrCpy $1 1
  ${EndIf}
  ${If} $1 != 1
    StrCpy $1 0
  ${EndIf}

  SetOutPath "$INSTDIR"
  !insertmacro RemoveFileInUse "$INSTDIR" "${SAVER_FILE}"
  File "/oname=${SAVER_FILE}" "${SAVER}"

  CreateDirectory "$UninstallDir"
  WriteUninstaller "$UninstallDir\uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${SAVER_FILE},0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "FolderCreated" $1
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

  ; A saver that cannot go fails the uninstall, which then changes nothing
  ; and stays registered, to be run again.
  !insertmacro RemoveFileInUse "$SaverDir" "${SAVER_FILE}"
  ${If} ${FileExists} "$SaverDir\${SAVER_FILE}"
    SetErrorLevel 2
    IfSilent +2
      MessageBox MB_OK|MB_ICONSTOP "$SaverDir\${SAVER_FILE} could not be removed. Close the programs that use it and try again."
    Abort
  ${EndIf}

  ; The user's choice of saver goes back to what it was before, but only
  ; while it still names this saver: a choice made since is theirs.
  ReadRegStr $R1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  StrCpy $R2 "$SaverDir\${SAVER_FILE}"
  Call un.NamesFile
  ${If} $R0 == 1
    !insertmacro RestoreDesktopValue "SCRNSAVE.EXE"
    ReadRegDWORD $R1 HKCU "${SETUP_KEY}" "Remembered"
    ${If} $R1 == 1
      !insertmacro RestoreDesktopValue "ScreenSaveActive"
    ${EndIf}
  ${EndIf}
  DeleteRegKey HKCU "${SETUP_KEY}"

  ReadRegDWORD $0 HKLM "${UNINSTALL_KEY}" "FolderCreated"
  ${If} $0 == 1
    RMDir "$SaverDir"
  ${EndIf}

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
