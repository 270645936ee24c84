; The Windows installer, made by scripts/build-windows --package with Debian's makensis:
;   makensis -DVERSION=1.0.0 -DSTAGE=<the package folder> -DOUTFILE=<setup.exe> quor.nsi
; quor.scr goes into the 64-bit System32, where Windows lists screen savers; quor.exe, the
; licences, the README and the uninstaller into Program Files\Quor. Silent with /S. The
; uninstaller removes every file and key the installer made, and the user's choice of screen
; saver where it is Quor.
; A 64-bit installer, as the programs are: it runs where they run (Wine's 64-bit prefix too).
Target amd64-unicode
SetCompressor /SOLID lzma
SetDateSave off  ; the same files give the same installer, whenever they were copied
RequestExecutionLevel admin
ManifestDPIAware true

!include "x64.nsh"
!include "LogicLib.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quor"

Name "Quor ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Quor"
Icon "${STAGE}\..\quor.ico"
UninstallIcon "${STAGE}\..\quor.ico"
BrandingText "Quor ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "Quor needs 64-bit Windows." /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Quor"
  SetOutPath "$INSTDIR"
  File "${STAGE}\quor.exe"
  File "${STAGE}\LICENSE.txt"
  File "${STAGE}\README.txt"
  SetOutPath "$INSTDIR\licenses"
  File "${STAGE}\licenses\*.txt"
  ; The 64-bit System32, where Windows lists screen savers.
  SetOutPath "$WINDIR\System32"
  File "${STAGE}\quor.scr"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Quor"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Quor developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quor.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Uninstall"
  ; The saver choice goes with the saver, and only where it is Quor.
  ReadRegStr $0 HKCU "Control Panel\Desktop" "SCRNSAVE.EXE"
  ${If} $0 == "$WINDIR\System32\quor.scr"  ; compared without regard to case
    DeleteRegValue HKCU "Control Panel\Desktop" "SCRNSAVE.EXE"
  ${EndIf}
  Delete "$WINDIR\System32\quor.scr"
  Delete "$INSTDIR\quor.exe"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\licenses\*.txt"
  RMDir "$INSTDIR\licenses"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
