; The Varnoka installer. Made by scripts/package, which defines VERSION, OUTFILE and the folders
; SOURCE (the repository) and STAGE (varnoka.scr to ship, program/ with the files of the program's
; folder, and files.nsh, which names those files once for the installer and the uninstaller).

Unicode true
; The saver is a 64-bit program: a 64-bit installer writes the 64-bit System32, Program Files and
; registry view without any redirection, and does not start on a Windows the saver cannot run on.
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel admin
; A file that cannot be written (a running saver) fails the installation instead of being skipped.
AllowSkipFiles off

!define ProductName "Varnoka"
!define ProgramKey "Software\Varnoka"
!define UninstallKey "Software\Microsoft\Windows\CurrentVersion\Uninstall\Varnoka"
!define SaverFile "varnoka.scr"
!define SettingsFile "%APPDATA%\Varnoka\control.ini"

Name "${ProductName}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Varnoka"
BrandingText "${ProductName} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${ProductName}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${ProductName} screen saver setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${ProductName}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${ProductName}"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "${STAGE}\files.nsh"

!define MUI_ICON "${SOURCE}\resources\varnoka.ico"
!define MUI_UNICON "${SOURCE}\resources\varnoka.ico"
!define MUI_ABORTWARNING
!define MUI_HEADERIMAGE
!define MUI_HEADERIMAGE_RIGHT
!define MUI_HEADERIMAGE_BITMAP "${SOURCE}\resources\installer\header.bmp"
!define MUI_HEADERIMAGE_UNBITMAP "${SOURCE}\resources\installer\header.bmp"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${SOURCE}\resources\installer\side.bmp"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${SOURCE}\resources\installer\side.bmp"
!define MUI_COMPONENTSPAGE_NODESC

!define MUI_WELCOMEPAGE_TEXT "This will install the Varnoka 3D car screen saver ${VERSION}: the saver \
    in the system folder, where Screen Saver Settings lists it, and its car models and help page in a \
    folder of its own.$\r$\n$\r$\n$_CLICK"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "Varnoka is installed. Choose it, and press Settings... for its options, \
    in Screen Saver Settings (Settings > Personalisation > Lock screen > Screen saver)."
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "Varnoka has been removed from your computer.$\r$\n$\r$\nYour settings \
    are kept in ${SettingsFile}; delete that file to remove them as well."
!insertmacro MUI_UNPAGE_FINISH

!insertmacro MUI_LANGUAGE "English"

Section "Varnoka screen saver" SaverSection
    SectionIn RO
    SetRegView 64
    SetOutPath "$INSTDIR"
    !insertmacro InstallProgramFiles
    WriteUninstaller "$INSTDIR\uninstall.exe"
    SetOutPath "$SYSDIR"
    File "${STAGE}\${SaverFile}"

    ; The saver finds its models and help page through this record.
    WriteRegStr HKLM "${ProgramKey}" "InstallDir" "$INSTDIR"

    WriteRegStr HKLM "${UninstallKey}" "DisplayName" "${ProductName} screen saver"
    WriteRegStr HKLM "${UninstallKey}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UninstallKey}" "Publisher" "${ProductName}"
    WriteRegStr HKLM "${UninstallKey}" "DisplayIcon" "$SYSDIR\${SaverFile},0"
    WriteRegStr HKLM "${UninstallKey}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UninstallKey}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UninstallKey}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UninstallKey}" "NoModify" 1
    WriteRegDWORD HKLM "${UninstallKey}" "NoRepair" 1
    SectionGetSize ${SaverSection} $0
    WriteRegDWORD HKLM "${UninstallKey}" "EstimatedSize" $0
SectionEnd

Section "Make Varnoka the current screen saver" CurrentSaverSection
    WriteRegStr HKCU "Control Panel\Desktop" "SCRNSAVE.EXE" "$SYSDIR\${SaverFile}"
SectionEnd

Section "Uninstall"
    SetRegView 64
    ; Only when it names our saver: another chosen saver stays chosen.
    ReadRegStr $0 HKCU "Control Panel\Desktop" "SCRNSAVE.EXE"
    GetFullPathName /SHORT $1 "$SYSDIR\${SaverFile}"
    ${If} $0 == "$SYSDIR\${SaverFile}"
    ${OrIf} $0 == $1
        DeleteRegValue HKCU "Control Panel\Desktop" "SCRNSAVE.EXE"
    ${EndIf}

    Delete "$SYSDIR\${SaverFile}"
    !insertmacro RemoveProgramFiles
    Delete "$INSTDIR\uninstall.exe"
    ; Not /r: anything the user put in the folder keeps it, and them.
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${ProgramKey}"
    DeleteRegKey HKLM "${UninstallKey}"
SectionEnd
