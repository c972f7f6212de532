; The Windows installer of Tarvex, built by scripts/package-windows:
;   makensis -NOCD -DVERSION=1.0.0 -DBIN=<build>/bin -DTOP=<source> -DOUTFILE=<setup.exe>
;            [-DAMD64] data/windows/installer.nsi
;
; Installs tarvex.exe, tarvexc.exe, the guide and the examples under Program
; Files, a Start-menu entry, the registrations (tarvex.exe /Register, run
; elevated: for the machine) and, when asked for, tarvexc on the PATH; and an
; uninstaller listed in Apps & features that removes all of it and gives
; ".inf" back (tarvex.exe /Unregister). Silent: setup.exe /S [/PATH].

Unicode true
!ifdef AMD64
  Target amd64-unicode
  InstallDir "$PROGRAMFILES64\Tarvex"
!else
  InstallDir "$PROGRAMFILES\Tarvex"          ; "Program Files (x86)" on 64-bit Windows
!endif
Name "Tarvex ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ShowInstDetails nevershow
ShowUninstDetails nevershow

!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "WordFunc.nsh"
!include "WinMessages.nsh"
!include "Sections.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvex"
!define ENVIRONMENT_KEY "SYSTEM\CurrentControlSet\Control\Session Manager\Environment"
!define SETTINGS_KEY "Software\Local AppWizard-Generated Applications"

Page components
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles


Section "Tarvex (editor, compiler, guide, examples)" SecMain
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${BIN}\tarvex.exe"
  File "${BIN}\tarvexc.exe"
  ; The dictionary of objects that containers embed: COM starts tarvex.exe
  ; in the system folder, and tarvex.exe then reads the one beside it.
  File "${TOP}\examples\keyword.txt"
  SetOutPath "$INSTDIR\help"
  File "${TOP}\src\shell\resources\help\index.html"
  File "${TOP}\src\shell\resources\help\guide.css"
  SetOutPath "$INSTDIR\examples"
  File "${TOP}\examples\keyword.txt"
  File "${TOP}\examples\policy.inf"
  File "${TOP}\examples\faulty.inf"
  File "${TOP}\examples\peer.key"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; Started from the menu in the examples' folder, where a keyword.txt is.
  CreateDirectory "$SMPROGRAMS\Tarvex"
  SetOutPath "$INSTDIR\examples"
  CreateShortCut "$SMPROGRAMS\Tarvex\Tarvex.lnk" "$INSTDIR\tarvex.exe"
  SetOutPath "$INSTDIR"

  ; The document type, "Open with" for .inf and the embedding server, for
  ; the machine: the program's own registration, so that installing and
  ; starting it register alike.
  ExecWait '"$INSTDIR\tarvex.exe" /Register' $0
  ${If} $0 != 0
    MessageBox MB_OK|MB_ICONEXCLAMATION "Tarvex could not register itself with Windows (status $0): Insert Object and Open with will not list it." /SD IDOK
  ${EndIf}

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Tarvex ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Tarvex developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tarvex.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "tarvexc on the PATH" SecPath
  ReadRegStr $0 HKLM "${ENVIRONMENT_KEY}" "Path"
  ${WordAdd} "$0" ";" "+$INSTDIR" $1
  WriteRegExpandStr HKLM "${ENVIRONMENT_KEY}" "Path" "$1"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "AddedToPath" 1
  SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=2000
SectionEnd

Function .onInit
  SetShellVarContext all                      ; the Start menu of all users
  !ifdef AMD64
    SetRegView 64
  !endif
  ; Silent installs choose the PATH entry on the command line.
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/PATH" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecPath} ${SF_SELECTED}
  ${EndIf}
FunctionEnd

Function un.onInit
  SetShellVarContext all
  !ifdef AMD64
    SetRegView 64
  !endif
FunctionEnd

Section "Uninstall"
  ; The registrations first, while the program is there: it gives ".inf"
  ; back as it was, and says nothing ("Embedding").
  ExecWait '"$INSTDIR\tarvex.exe" /Unregister /Embedding'

  ReadRegDWORD $0 HKLM "${UNINSTALL_KEY}" "AddedToPath"
  ${If} $0 == 1
    ReadRegStr $1 HKLM "${ENVIRONMENT_KEY}" "Path"
    ${WordAdd} "$1" ";" "-$INSTDIR" $2
    WriteRegExpandStr HKLM "${ENVIRONMENT_KEY}" "Path" "$2"
    SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=2000
  ${EndIf}

  Delete "$SMPROGRAMS\Tarvex\Tarvex.lnk"
  RMDir "$SMPROGRAMS\Tarvex"
  Delete "$INSTDIR\examples\keyword.txt"
  Delete "$INSTDIR\examples\policy.inf"
  Delete "$INSTDIR\examples\faulty.inf"
  Delete "$INSTDIR\examples\peer.key"
  RMDir "$INSTDIR\examples"                   ; the user's own files there stay
  Delete "$INSTDIR\help\index.html"
  Delete "$INSTDIR\help\guide.css"
  RMDir "$INSTDIR\help"
  Delete "$INSTDIR\tarvex.exe"
  Delete "$INSTDIR\tarvexc.exe"
  Delete "$INSTDIR\keyword.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  ; The settings of the user who uninstalls (recent files, preview pages).
  DeleteRegKey HKCU "${SETTINGS_KEY}\Tarvex"
  DeleteRegKey /ifempty HKCU "${SETTINGS_KEY}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
