; The Windows installer, made by scripts/windows:
;   makensis -DVERSION=1.6 -DSTAGE=folder -DOUTFILE=LumentorMGW-1.6-setup.exe LumentorMGW.nsi
; STAGE holds LumentorMGW.exe, mgw.exe, LumentorMGW.ico and LICENSE.txt.
; Silent install: setup.exe /S, with /PATH to put mgw on the PATH as well.
; A 64-bit installer for 64-bit programs: Program Files and the registry's
; 64-bit view, as Windows shows them to the programs themselves.
Target amd64-unicode
!include MUI2.nsh
!include FileFunc.nsh
!include WordFunc.nsh
!include x64.nsh

!define APP "LumentorMGW"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"
!define ENVIRONMENT_KEY "SYSTEM\CurrentControlSet\Control\Session Manager\Environment"
!define FILE_TYPE "LumentorMGW.MapFile"

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${APP}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ManifestDPIAware true

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${APP}"
VIAddVersionKey "FileDescription" "${APP} ${VERSION} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright 2026 The LumentorMGW developers (MIT licence)"

!define MUI_ICON "${STAGE}\LumentorMGW.ico"
!define MUI_UNICON "${STAGE}\LumentorMGW.ico"
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "LumentorMGW and mgw" SecProgram
  SectionIn RO
  SetRegView 64
  SetOutPath "$INSTDIR"
  File "${STAGE}\LumentorMGW.exe"
  File "${STAGE}\LICENSE.txt"
  SetOutPath "$INSTDIR\bin"
  File "${STAGE}\mgw.exe"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  SetShellVarContext all
  CreateShortCut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\LumentorMGW.exe"

  ; Map files open in the window from Explorer.
  WriteRegStr HKCR ".MGW" "" "${FILE_TYPE}"
  WriteRegStr HKCR "${FILE_TYPE}" "" "LumentorMGW map file"
  WriteRegStr HKCR "${FILE_TYPE}\DefaultIcon" "" "$INSTDIR\LumentorMGW.exe,0"
  WriteRegStr HKCR "${FILE_TYPE}\shell\open\command" "" '"$INSTDIR\LumentorMGW.exe" "%1"'

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The LumentorMGW developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\LumentorMGW.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

; Off unless asked for: mgw from any command prompt.
Section /o "mgw on the PATH" SecPath
  SetRegView 64
  ReadRegStr $0 HKLM "${ENVIRONMENT_KEY}" "Path"
  ${WordAdd} "$0" ";" "+$INSTDIR\bin" $1
  WriteRegExpandStr HKLM "${ENVIRONMENT_KEY}" "Path" "$1"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "OnPath" 1
  SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
SectionEnd

Section "Uninstall"
  SetRegView 64
  ReadRegDWORD $2 HKLM "${UNINSTALL_KEY}" "OnPath"
  ${If} $2 == 1
    ReadRegStr $0 HKLM "${ENVIRONMENT_KEY}" "Path"
    ${un.WordAdd} "$0" ";" "-$INSTDIR\bin" $1
    WriteRegExpandStr HKLM "${ENVIRONMENT_KEY}" "Path" "$1"
    SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
  ${EndIf}
  SetShellVarContext all
  Delete "$SMPROGRAMS\${APP}.lnk"
  DeleteRegKey HKCR "${FILE_TYPE}"
  ReadRegStr $0 HKCR ".MGW" ""
  ${If} $0 == "${FILE_TYPE}"
    DeleteRegKey HKCR ".MGW"
  ${EndIf}
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "$INSTDIR\bin\mgw.exe"
  RMDir "$INSTDIR\bin"
  Delete "$INSTDIR\LumentorMGW.exe"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

; The PATH option has no page in a silent install: /PATH selects it.
Function .onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} "$0" "/PATH" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecPath} ${SF_SELECTED}
  ${EndIf}
FunctionEnd

LangString DESC_Program ${LANG_ENGLISH} "The window program, the command-line program mgw, the Start menu entry and the .MGW file type."
LangString DESC_Path ${LANG_ENGLISH} "Adds mgw's folder to the system PATH, so mgw runs from any command prompt."
!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} $(DESC_Program)
  !insertmacro MUI_DESCRIPTION_TEXT ${SecPath} $(DESC_Path)
!insertmacro MUI_FUNCTION_DESCRIPTION_END
