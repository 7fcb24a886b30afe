; The Windows installer of Verdane, built with NSIS (makensis) by the
; Windows build's `installer` target, which defines:
;   VERSION  the project's version, as "1.1"
;   SAVER    the built verdane.scr
;   ICON     the program's icon file
;   OUTFILE  the installer to write
;
; It puts verdane.scr into the system folder, where Windows lists screen
; savers, makes it the installing user's screen saver (a finish-page option,
; on by default; a silent install does it too) and registers an uninstaller
; in Add/Remove Programs. /S installs, and uninstalls, silently.

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

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
; The saver's place is fixed: the system folder.
InstallDir "$WINDIR\System32"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (C) ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Make ${PRODUCT} my screen saver"
!define MUI_FINISHPAGE_RUN_FUNCTION MakeCurrentSaver
!define MUI_FINISHPAGE_NOREBOOTSUPPORT

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The uninstaller's own folder; the saver itself lives in the system folder.
Var UninstallDir

; Removes a file that may be in use: a running saver (full screen or in a
; preview) keeps its file open, but Windows lets it be renamed. The file is
; then moved aside under a temporary name in the same folder and deleted at
; the next restart; no restart is asked for, the leftover is harmless.
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

Function .onInit
  SetRegView 64
  StrCpy $UninstallDir "$PROGRAMFILES64\${PRODUCT}"
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Function MakeCurrentSaver
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$INSTDIR\${SAVER_FILE}"
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
FunctionEnd

Section "Verdane"
  SetOutPath "$INSTDIR"
  !insertmacro RemoveFileInUse "$INSTDIR" "${SAVER_FILE}"
  File "/oname=${SAVER_FILE}" "${SAVER}"

  CreateDirectory "$UninstallDir"
  WriteUninstaller "$UninstallDir\uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${SAVER_FILE},0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$UninstallDir\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$UninstallDir\uninstall.exe" /S'
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
  ; The uninstaller runs from a temporary copy; $INSTDIR is its own folder.
  StrCpy $0 "$WINDIR\System32\${SAVER_FILE}"

  ; The user's choice of saver is cleared only when it still names this
  ; file, in its long or its short (8.3) form; names compare without case.
  ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  GetFullPathName /SHORT $2 $1
  GetFullPathName /SHORT $3 $0
  ${If} $1 == $0
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${ElseIf} $3 != ""
  ${AndIf} $2 == $3
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${EndIf}

  !insertmacro RemoveFileInUse "$WINDIR\System32" "${SAVER_FILE}"

  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ; The settings under HKCU\Software\Tarnwell are the user's and stay.
SectionEnd
