; The Vantorix installer for Windows, built with makensis by packaging/windows/CMakeLists.txt:
;   makensis -DVERSION=2.04 -DPROGRAM=vantorix.exe -DDESKTOP_PROGRAM=vantorixw.exe
;            -DHELP=vantorix.chm -DICON=vantorix.ico -DOUTFILE=vantorix-setup.exe vantorix.nsi
;
; It installs for the user who runs it, without administrator rights, into
; %LOCALAPPDATA%\Programs\Vantorix, with a Start-menu entry and an entry in Apps & features. The
; Start-menu entry starts the program in %LOCALAPPDATA%\Vantorix, a folder of the user's own,
; where the program keeps vantorix.cfg. The uninstaller removes what was installed and leaves
; that folder and vantorix.cfg alone. /S installs and uninstalls silently.
; A 64-bit installer for a 64-bit program (and for Wine without its 32-bit part).
Target amd64-unicode
!include MUI2.nsh
!include x64.nsh
!include FileFunc.nsh

Name "Vantorix"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Vantorix"
InstallDirRegKey HKCU "Software\Vantorix" "InstallFolder"
SetCompressor /SOLID lzma
BrandingText "Vantorix ${VERSION}"
VIProductVersion "${FILE_VERSION}"
VIAddVersionKey "ProductName" "Vantorix"
VIAddVersionKey "FileDescription" "Vantorix ${VERSION} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright 2026 Vantorix developers"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantorix"
!define DATA_FOLDER "$LOCALAPPDATA\Vantorix"
!define MENU_ENTRY "$SMPROGRAMS\Vantorix.lnk"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start Vantorix"
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
    ${IfNot} ${RunningX64}
        MessageBox MB_ICONSTOP "Vantorix needs a 64-bit Windows."
        Abort
    ${EndIf}
FunctionEnd

; As from the Start menu: in the user's own folder, where vantorix.cfg is kept.
Function StartProgram
    SetOutPath "${DATA_FOLDER}"
    Exec '"$INSTDIR\vantorixw.exe"'
FunctionEnd

Section "Vantorix"
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    File "/oname=vantorix.exe" "${PROGRAM}"
    File "/oname=vantorixw.exe" "${DESKTOP_PROGRAM}"
    File "/oname=vantorix.chm" "${HELP}"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; The shortcut starts the program in the folder that was set last.
    CreateDirectory "${DATA_FOLDER}"
    SetOutPath "${DATA_FOLDER}"
    CreateShortCut "${MENU_ENTRY}" "$INSTDIR\vantorixw.exe" "" "$INSTDIR\vantorixw.exe" 0 \
        SW_SHOWNORMAL "" "Types what a serial device sends into the window in front"

    WriteRegStr HKCU "Software\Vantorix" "InstallFolder" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Vantorix"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Vantorix developers"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vantorixw.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
    SetShellVarContext current
    Delete "$INSTDIR\vantorix.exe"
    Delete "$INSTDIR\vantorixw.exe"
    Delete "$INSTDIR\vantorix.chm"
    Delete "$INSTDIR\uninstall.exe"
    ; Only when empty: a vantorix.cfg the user kept here stays, and so does its folder.
    RMDir "$INSTDIR"
    Delete "${MENU_ENTRY}"
    ; The program's own start-up shortcuts would lead nowhere now.
    Delete "$SMSTARTUP\vantorixw.lnk"
    Delete "$SMSTARTUP\vantorix.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    DeleteRegKey HKCU "Software\Vantorix"
    ; ${DATA_FOLDER}, with the user's vantorix.cfg, is left as it is.
SectionEnd
