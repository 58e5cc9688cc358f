; The installer: per user (no administrator rights) or for all users, the default-player
; associations as an option, and an uninstaller that keeps the user's settings and disc
; database unless asked. Built by tools/make-packages:
;   makensis -DVERSION=1.0.0 -DSTAGE=<files> -DICON=<icon> -DOUTFILE=<setup.exe> lumivoxen.nsi
; A 64-bit installer for the 64-bit program (it also runs on Wine without its 32-bit half).
Target amd64-unicode
SetCompressor /SOLID lzma

!define APPNAME "Lumivoxen CD Player"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Lumivoxen"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_INSTALLMODE_INSTDIR "Lumivoxen"
!define MULTIUSER_USE_PROGRAMFILES64
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh

Name "${APPNAME}"
OutFile "${OUTFILE}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${APPNAME}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${APPNAME} setup"
VIAddVersionKey "LegalCopyright" "The Lumivoxen authors"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\lumivoxen.exe"
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "!${APPNAME}" SecProgram
    SectionIn RO
    SetOutPath "$INSTDIR"
    File "${STAGE}\lumivoxen.exe"
    File "${STAGE}\readme.txt"
    File "${STAGE}\mask2rgn.exe"
    SetOutPath "$INSTDIR\skin"
    File /r "${STAGE}\skin\*.*"
    SetOutPath "$INSTDIR\docs"
    File /r "${STAGE}\docs\*.*"
    SetOutPath "$INSTDIR\licenses"
    File /r "${STAGE}\licenses\*.*"
    SetOutPath "$INSTDIR"
    CreateShortCut "$SMPROGRAMS\${APPNAME}.lnk" "$INSTDIR\lumivoxen.exe"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APPNAME}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "The Lumivoxen authors"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\lumivoxen.exe,0"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" \
        '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" \
        '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The same keys the options dialog's Default player page writes, for this user or for all.
Section /o "Play audio CDs and .cda files with Lumivoxen" SecAssociations
    WriteRegStr SHCTX "Software\Classes\.cda" "" "LumivoxenFile"
    WriteRegStr SHCTX "Software\Classes\LumivoxenFile" "" "CD Audio Track"
    WriteRegStr SHCTX "Software\Classes\LumivoxenFile\DefaultIcon" "" "$INSTDIR\lumivoxen.exe,1"
    WriteRegStr SHCTX "Software\Classes\LumivoxenFile\shell" "" "play"
    WriteRegStr SHCTX "Software\Classes\LumivoxenFile\shell\play\command" "" \
        '"$INSTDIR\lumivoxen.exe" /play "%1"'
    WriteRegStr SHCTX "Software\Classes\AudioCD\shell" "" "play"
    WriteRegStr SHCTX "Software\Classes\AudioCD\shell\play\command" "" \
        '"$INSTDIR\lumivoxen.exe" /play "%1"'
SectionEnd

Section "un.${APPNAME}" UnSecProgram
    SectionIn RO
    Delete "$INSTDIR\lumivoxen.exe"
    Delete "$INSTDIR\readme.txt"
    Delete "$INSTDIR\mask2rgn.exe"
    Delete "$INSTDIR\uninstall.exe"
    RMDir /r "$INSTDIR\skin"
    RMDir /r "$INSTDIR\docs"
    RMDir /r "$INSTDIR\licenses"
    Delete "$SMPROGRAMS\${APPNAME}.lnk"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
    ; Associations go only where they still name this program.
    ReadRegStr $0 SHCTX "Software\Classes\AudioCD\shell\play\command" ""
    ${If} $0 == '"$INSTDIR\lumivoxen.exe" /play "%1"'
        DeleteRegKey SHCTX "Software\Classes\AudioCD\shell\play"
    ${EndIf}
    ReadRegStr $0 SHCTX "Software\Classes\.cda" ""
    ${If} $0 == "LumivoxenFile"
        DeleteRegValue SHCTX "Software\Classes\.cda" ""
    ${EndIf}
    DeleteRegKey SHCTX "Software\Classes\LumivoxenFile"
    RMDir "$INSTDIR" ; stays while the user's settings are in it
SectionEnd

Section /o "un.Also remove my settings and disc database" UnSecData
    Delete "$INSTDIR\lumivoxe.ini"
    Delete "$INSTDIR\cdplayer.ini"
    SetShellVarContext current
    Delete "$APPDATA\Lumivoxen\lumivoxe.ini"
    Delete "$APPDATA\Lumivoxen\cdplayer.ini"
    RMDir "$APPDATA\Lumivoxen"
    RMDir "$INSTDIR"
SectionEnd

; Placed after the sections, whose ids they use. A silent install takes the associations
; with /Associations; a silent uninstall removes the settings and disc database with
; /RemoveSettings.
Function .onInit
    !insertmacro MULTIUSER_INIT
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/Associations" $R1
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${SecAssociations}
    ${EndIf}
FunctionEnd

Function un.onInit
    !insertmacro MULTIUSER_UNINIT
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/RemoveSettings" $R1
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${UnSecData}
    ${EndIf}
FunctionEnd
