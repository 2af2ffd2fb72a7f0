; The Windows installer: for the current user or for all users, a Start-menu shortcut that
; starts the game in its install folder (it reads res\ from there), and an uninstaller that
; removes what was installed.
; makensis -DVERSION=x.y.z -DSTAGE=<folder with gyrel.exe, res, LICENSE, README.txt>
;          -DICON=<gyrel.ico> -DOUTFILE=<installer.exe> windows/installer.nsi
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!define APPNAME "Gyrel+"
!define REGKEY "Software\Gyrel+"
!define UNINSTKEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Gyrel+"

Name "${APPNAME}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${APPNAME}"
VIAddVersionKey /LANG=1033 "FileDescription" "${APPNAME} installer"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "zlib licence"

; Per user by default (no administrator needed); /AllUsers or the first page installs for
; every user of the machine.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${APPNAME}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${REGKEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallDir"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${REGKEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallDir"
!include MultiUser.nsh
!include MUI2.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\gyrel.exe"

!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
    SetRegView 64
    !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
    SetRegView 64
    !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Gyrel+"
    SetOutPath "$INSTDIR"
    File "${STAGE}\gyrel.exe"
    File "${STAGE}\LICENSE"
    File "${STAGE}\README.txt"
    File /r "${STAGE}\res"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; The shortcut's working directory is $OUTPATH: the install folder, where res\ is.
    SetOutPath "$INSTDIR"
    CreateShortcut "$SMPROGRAMS\${APPNAME}.lnk" "$INSTDIR\gyrel.exe" "" "$INSTDIR\gyrel.exe" 0

    WriteRegStr SHCTX "${REGKEY}" "InstallDir" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTKEY}" "DisplayName" "${APPNAME}"
    WriteRegStr SHCTX "${UNINSTKEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTKEY}" "DisplayIcon" "$INSTDIR\gyrel.exe"
    WriteRegStr SHCTX "${UNINSTKEY}" "Publisher" "Gyrel+ developers"
    WriteRegStr SHCTX "${UNINSTKEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTKEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
    WriteRegStr SHCTX "${UNINSTKEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
    WriteRegDWORD SHCTX "${UNINSTKEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTKEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\${APPNAME}.lnk"
    Delete "$INSTDIR\gyrel.exe"
    Delete "$INSTDIR\LICENSE"
    Delete "$INSTDIR\README.txt"
    RMDir /r "$INSTDIR\res"
    Delete "$INSTDIR\uninstall.exe"
    ; Only when empty: a folder the player put files in stays with them.
    RMDir "$INSTDIR"
    DeleteRegKey SHCTX "${UNINSTKEY}"
    DeleteRegKey SHCTX "${REGKEY}"
SectionEnd
