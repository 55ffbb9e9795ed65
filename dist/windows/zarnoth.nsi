; The Windows installer: makensis -DVERSION=1.0.0 -DSTAGE=DIR -DOUTFILE=FILE zarnoth.nsi
; STAGE holds what the zip holds (the programs, the data beside them, the
; README, the icon). Installs into Program Files with a Start menu entry and an
; uninstaller; /S installs and uninstalls silently.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

Name "Zarnoth"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Zarnoth"
RequestExecutionLevel admin
Icon "${STAGE}\zarnoth.ico"
UninstallIcon "${STAGE}\zarnoth.ico"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zarnoth"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Zarnoth"
  SetRegView 64
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${STAGE}\zarnoth.exe"
  File "${STAGE}\zarnoth-check.exe"
  File "${STAGE}\zarnoth.ini"
  File "${STAGE}\zarnoth.ico"
  File "${STAGE}\README.txt"
  SetOutPath "$INSTDIR\levels"
  File /r "${STAGE}\levels\*"
  SetOutPath "$INSTDIR\models"
  File /r "${STAGE}\models\*"
  SetOutPath "$INSTDIR\texturen"
  File /r "${STAGE}\texturen\*"
  SetOutPath "$INSTDIR\sounds"
  File /r "${STAGE}\sounds\*"
  SetOutPath "$INSTDIR\demos"
  File /r "${STAGE}\demos\*"
  ; The game reads its working directory: the shortcut starts it in $INSTDIR.
  SetOutPath "$INSTDIR"
  CreateShortCut "$SMPROGRAMS\Zarnoth.lnk" "$INSTDIR\zarnoth.exe" "" "$INSTDIR\zarnoth.ico"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Zarnoth"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Zarnoth developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zarnoth.ico"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetRegView 64
  SetShellVarContext all
  ; Only what the installer wrote: a directory chosen by the player may hold more.
  Delete "$SMPROGRAMS\Zarnoth.lnk"
  Delete "$INSTDIR\zarnoth.exe"
  Delete "$INSTDIR\zarnoth-check.exe"
  Delete "$INSTDIR\zarnoth.ini"
  Delete "$INSTDIR\zarnoth.ico"
  Delete "$INSTDIR\README.txt"
  RMDir /r "$INSTDIR\levels"
  RMDir /r "$INSTDIR\models"
  RMDir /r "$INSTDIR\texturen"
  RMDir /r "$INSTDIR\sounds"
  RMDir /r "$INSTDIR\demos"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
