; The HD7_3 setup program. It installs the control for 32-bit hosts and registers it with the
; 32-bit regsvr32; on 64-bit Windows it also installs the control for 64-bit hosts and registers
; it with the 64-bit regsvr32. It installs the demo host, the README and, when the build has it,
; the NodeSettings tool, and adds an entry with an uninstaller to "Apps & features".
;
; Built by installer/CMakeLists.txt:  makensis -DDEFINES=<build>/defines.nsh installer/hd7_3.nsi
; Silent:  HD7_3-<version>-setup.exe /S [/D=folder]     uninstall.exe /S
;
; Exit codes: 0 done; 2 cancelled or failed; 3 a control could not be registered or
; unregistered; 32 a program still has the control loaded; 740 not run as administrator.
;
; X64_ONLY (defined on makensis' command line) makes a 64-bit setup program without the 32-bit
; files. It exists for the installer check on machines whose Wine cannot run 32-bit programs
; (this setup program is one of them); it is not shipped.

Unicode true
!ifdef X64_ONLY
  Target amd64-unicode
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "${DEFINES}"
!include LogicLib.nsh
!include x64.nsh

!define PRODUCT "HD7_3 Control"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\HD7_3"
!define EXIT_FAILED 2
!define EXIT_REGISTRATION 3
!define EXIT_IN_USE 32
!define EXIT_NOT_ADMIN 740

Name "${PRODUCT} ${VERSION}"
Caption "${PRODUCT} ${VERSION} Setup"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\HD7_3"
; An installed version is replaced where it is.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Var regsvr32Failed

; ------------------------------------------------------------------ shared by both programs

!macro SHARED_FUNCTIONS UN

; Registering writes the machine's class keys: only an administrator may.
Function ${UN}RequireAdmin
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "admin"
    MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} Setup needs administrator rights: it registers the control for every user of this PC.$\r$\n$\r$\nRight-click the program and choose $\"Run as administrator$\"." /SD IDOK
    SetErrorLevel ${EXIT_NOT_ADMIN}
    Quit
  ${EndIf}
FunctionEnd

; Stops with a message while a program has the control at the folder on the stack loaded: a
; loaded module cannot be opened for writing, so the file is tried with exclusive write access.
Function ${UN}RefuseWhileLoaded
  Exch $0
  Push $1
  Push $2
  Push $3
  ${ForEach} $1 0 1 + 1
    ${If} $1 = 0
      StrCpy $2 "$0\HD7_3.ocx"
    ${Else}
      StrCpy $2 "$0\x64\HD7_3.ocx"
    ${EndIf}
    ${If} ${FileExists} $2
      ; GENERIC_WRITE, no sharing, OPEN_EXISTING
      System::Call 'kernel32::CreateFileW(w r2, i 0x40000000, i 0, p 0, i 3, i 0, p 0) p .r3'
      ${If} $3 == -1
        MessageBox MB_OK|MB_ICONSTOP "The HD7_3 control is in use:$\r$\n$2$\r$\n$\r$\nClose every program that shows the plug-in (the network tool, the demo host), then run this program again." /SD IDOK
        SetErrorLevel ${EXIT_IN_USE}
        Quit
      ${EndIf}
      System::Call 'kernel32::CloseHandle(p r3)'
    ${EndIf}
  ${Next}
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

; Runs regsvr32 silently on one control; the control is given by its folder, the bitness by the
; regsvr32 program. Remembers a failure in $regsvr32Failed.
Function ${UN}Regsvr32
  Exch $0  ; the command line after "regsvr32.exe"
  Exch
  Exch $1  ; the regsvr32 program
  Push $2
  ClearErrors
  ExecWait '"$1" /s $0' $2
  ${If} ${Errors}
  ${OrIf} $2 <> 0
    DetailPrint "regsvr32 $0 failed ($2)"
    StrCpy $regsvr32Failed "$regsvr32Failed$\r$\n$1 $0"
  ${Else}
    DetailPrint "regsvr32 $0: done"
  ${EndIf}
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

!macroend

; The 32-bit and, on 64-bit Windows, the 64-bit control in FOLDER: registers them (REG "") or
; removes their registration (REG "/u ").
!macro REGISTER_BOTH UN REG FOLDER
  ${If} ${RunningX64}
    !ifndef X64_ONLY
      Push "$WINDIR\SysWOW64\regsvr32.exe"
      Push '${REG}"${FOLDER}\HD7_3.ocx"'
      Call ${UN}Regsvr32
    !endif
    ${DisableX64FSRedirection}
    Push "$WINDIR\System32\regsvr32.exe"
    Push '${REG}"${FOLDER}\x64\HD7_3.ocx"'
    Call ${UN}Regsvr32
    ${EnableX64FSRedirection}
  ${Else}
    Push "$SYSDIR\regsvr32.exe"
    Push '${REG}"${FOLDER}\HD7_3.ocx"'
    Call ${UN}Regsvr32
  ${EndIf}
!macroend

!insertmacro SHARED_FUNCTIONS ""
!insertmacro SHARED_FUNCTIONS "un."

; ------------------------------------------------------------------ setup

Function .onInit
  Call RequireAdmin
  !ifdef X64_ONLY
    SetRegView 64
  !endif
FunctionEnd

Section "HD7_3 Control"
  SectionIn RO
  StrCpy $regsvr32Failed ""

  ; An installed version (this one or an older one) goes first, through its own uninstaller,
  ; which unregisters it and removes its files: no file of it stays, and there is one entry.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    Push $0
    Call RefuseWhileLoaded
    ${If} ${FileExists} "$0\uninstall.exe"
      DetailPrint "Removing the installed version from $0"
      ClearErrors
      ExecWait '"$0\uninstall.exe" /S _?=$0' $1
      ${If} ${Errors}
      ${OrIf} $1 <> 0
        MessageBox MB_OK|MB_ICONSTOP "The installed version in $0 could not be removed ($1)." /SD IDOK
        SetErrorLevel ${EXIT_FAILED}
        Abort
      ${EndIf}
      Delete "$0\uninstall.exe"
      RMDir "$0"
    ${EndIf}
  ${EndIf}
  Push $INSTDIR
  Call RefuseWhileLoaded

  SetOutPath "$INSTDIR"
  !ifndef X64_ONLY
    File "${BIN32}/HD7_3.ocx"
    File "${BIN32}/hd7_3host.exe"
    ; The NodeSettings tool, once the build makes it.
    !if /FileExists "${BIN32}/hd7_3settings.exe"
      File "${BIN32}/hd7_3settings.exe"
    !endif
  !endif
  File "/oname=README.md" "${README}"
  ${If} ${RunningX64}
    SetOutPath "$INSTDIR\x64"
    File "${BIN64}/HD7_3.ocx"
    File "${BIN64}/hd7_3host.exe"
  ${EndIf}

  ; The entry in "Apps & features", before registering, so that a failed registration can be
  ; removed like any installation.
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\uninstall.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize 0 $1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $1

  !insertmacro REGISTER_BOTH "" "" "$INSTDIR"
  ${If} $regsvr32Failed != ""
    MessageBox MB_OK|MB_ICONSTOP "The HD7_3 control could not be registered:$regsvr32Failed" /SD IDOK
    SetErrorLevel ${EXIT_REGISTRATION}
    Abort
  ${EndIf}
SectionEnd

; ------------------------------------------------------------------ uninstaller

Function un.onInit
  Call un.RequireAdmin
  !ifdef X64_ONLY
    SetRegView 64
  !endif
  Push $INSTDIR
  Call un.RefuseWhileLoaded
FunctionEnd

Section "Uninstall"
  StrCpy $regsvr32Failed ""
  ; Unregistered first, while the files are still there to tell what to remove.
  ${If} ${FileExists} "$INSTDIR\HD7_3.ocx"
  ${OrIf} ${FileExists} "$INSTDIR\x64\HD7_3.ocx"
    !insertmacro REGISTER_BOTH "un." "/u " "$INSTDIR"
  ${EndIf}

  ; Exactly the files setup installs; a folder goes only when nothing else is left in it.
  Delete "$INSTDIR\x64\HD7_3.ocx"
  Delete "$INSTDIR\x64\hd7_3host.exe"
  RMDir "$INSTDIR\x64"
  Delete "$INSTDIR\HD7_3.ocx"
  Delete "$INSTDIR\hd7_3host.exe"
  Delete "$INSTDIR\hd7_3settings.exe"
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ${If} $regsvr32Failed != ""
    MessageBox MB_OK|MB_ICONEXCLAMATION "The HD7_3 control could not be unregistered:$regsvr32Failed" /SD IDOK
    SetErrorLevel ${EXIT_REGISTRATION}
  ${EndIf}
SectionEnd
