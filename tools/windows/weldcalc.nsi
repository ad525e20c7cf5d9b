; The per-user Windows installer: the program in the user's own Programs folder, one Start-menu
; shortcut and one entry in the system's list of programs; no administrator needed.
; Built by build-installer.sh, which defines VERSION, OUTPUT, ICON, FILES, UNINSTALL_FILES and
; ESTIMATED_SIZE (KiB).
Unicode true
; A 64-bit installer for a 64-bit program; it also runs where no 32-bit Windows layer is installed.
Target amd64-unicode
; The name "...-setup.exe" is what users look for; the manifest's execution level and supported
; systems already keep Windows from treating it as an old installer.
!pragma warning disable 9000
SetCompressor /SOLID lzma
!include "MUI2.nsh"
!include "FileFunc.nsh"

; The application title and the developer, as the program's own About window names them.
!define TITLE "Сварной шов"
!define PUBLISHER "Тарвелин И.П."
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\weldcalc"
!define SHORTCUT "$SMPROGRAMS\${TITLE}.lnk"

Name "${TITLE} ${VERSION}"
OutFile "${OUTPUT}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\weldcalc"
; An installed copy is upgraded where it is (NSIS takes the folder of the uninstaller's path).
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "UninstallString"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

; An installed copy is first removed by its own uninstaller, which knows its own files: a file
; that this version no longer has does not stay behind, and the user's files stay where they are.
Function RemoveInstalledCopy
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "UninstallString"
  StrCmp $0 "" done
  StrCpy $1 $0 1
  StrCmp $1 '"' 0 +3
  StrCpy $0 $0 "" 1
  StrCpy $0 $0 -1
  IfFileExists "$0" 0 done
  ${GetParent} "$0" $1
  ; _?= runs it in place and waits for it; an uninstaller run so cannot delete itself.
  ExecWait '"$0" /S _?=$1'
  Delete "$0"
  RMDir "$1"
done:
FunctionEnd

Section
  Call RemoveInstalledCopy
  !include "${FILES}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ; The shortcut starts the program in its folder, as Explorer does when it is opened there.
  SetOutPath "$INSTDIR"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\weldcalc.exe" "" "$INSTDIR\weldcalc.exe" 0
  ; What the list of programs shows and needs to uninstall; the program itself keeps no settings.
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${TITLE}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\weldcalc.exe,0"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${ESTIMATED_SIZE}
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  ; There is nothing to change or repair: the list offers only Uninstall.
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The uninstaller runs as a copy in the user's temporary folder, which the system deletes at the
; next start; the folder is asked for again after the file, so that it goes too.
Function un.onUninstSuccess
  System::Call 'kernel32::MoveFileExW(w "$EXEDIR", p 0, i 4)'
FunctionEnd

Section "Uninstall"
  ; Exactly the files installed: reports the user saved in this folder stay, and with them the folder.
  !include "${UNINSTALL_FILES}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "${SHORTCUT}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
