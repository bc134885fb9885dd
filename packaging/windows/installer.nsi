; The Windows installer of VELM-RQX (NSIS 3): for the current user (the default, no administrator
; needed) or for all users, a Start-menu entry, project files (.RQX) opened by a double click and
; shown with the program's icon, and an uninstaller that removes what was installed.
;   makensis -DVERSION=1.0.1 -DSTAGE=<program folder> -DFILES=<uninstall list> -DOUTFILE=<setup.exe> installer.nsi
; Silent: setup.exe /S [/AllUsers | /CurrentUser] [/D=folder]; uninstall.exe /S.
; A 64-bit installer, as the program is (it needs no 32-bit Windows layer, under Wine neither).
Target amd64-unicode
SetCompressor /SOLID lzma
; The file name the release names it by; Windows' installer detection is no concern here.
!pragma warning disable 9000

!define APP "VELM-RQX"
!define PUBLISHER "ヘルミナ"
!define PROGID "VELMRQX.Project"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${APP}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh

Name "${APP} /軸組Ｎ値算定 ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${APP} ${VERSION}"
!define MUI_ICON "${STAGE}\velmrqx.ico"
!define MUI_UNICON "${STAGE}\velmrqx.ico"

!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\velmrqx.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
  ; Removed the way it was installed, whatever the command line says.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    Call un.MultiUser.InstallMode.AllUsers
  ${Else}
    Call un.MultiUser.InstallMode.CurrentUser
  ${EndIf}
FunctionEnd

Section "${APP}"
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The Start menu (the current user's or everybody's, as chosen).
  CreateDirectory "$SMPROGRAMS\${APP}"
  CreateShortCut "$SMPROGRAMS\${APP}\${APP} 軸組Ｎ値算定.lnk" "$INSTDIR\velmrqx.exe" "" "$INSTDIR\velmrqx.exe" 0
  CreateShortCut "$SMPROGRAMS\${APP}\ヘルプ.lnk" "$INSTDIR\help\index.html"

  ; Project files: their icon, and a double click opens them in the program.
  WriteRegStr SHCTX "Software\Classes\.RQX" "" "${PROGID}"
  WriteRegStr SHCTX "Software\Classes\${PROGID}" "" "VELM-RQX データファイル"
  WriteRegStr SHCTX "Software\Classes\${PROGID}\DefaultIcon" "" '"$INSTDIR\velmrqx.exe",0'
  WriteRegStr SHCTX "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\velmrqx.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  ; Programs and Features.
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APP} /軸組Ｎ値算定"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\velmrqx.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  ; What the installer put there, file by file; the history and defaults files the program keeps
  ; beside itself when its folder is writable go with it. Projects and the per-user data stay.
  !include "${FILES}"
  Delete "$INSTDIR\VELMRQX.INI"
  Delete "$INSTDIR\VelmRQX.Def"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${APP}\${APP} 軸組Ｎ値算定.lnk"
  Delete "$SMPROGRAMS\${APP}\ヘルプ.lnk"
  RMDir "$SMPROGRAMS\${APP}"

  ; The association, only while it is still ours.
  ReadRegStr $0 SHCTX "Software\Classes\.RQX" ""
  StrCmp $0 "${PROGID}" 0 +2
    DeleteRegKey SHCTX "Software\Classes\.RQX"
  DeleteRegKey SHCTX "Software\Classes\${PROGID}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
