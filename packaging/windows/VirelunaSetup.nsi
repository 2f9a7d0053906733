; The Vireluna installer: one 32-bit setup program for 32-bit and 64-bit Windows.
; scripts/build-packages.sh runs makensis with these definitions:
;   VERSION            the project's version (x.y.z)
;   OUTFILE            the setup program to write
;   SAVER32, SAVER64   VirelunaLogo.scr of the i686 and of the x86_64 build
;   SETTINGS32, SETTINGS64 (optional) VirelunaSettings.exe of both builds
;   DESIGNS_NSH        generated macros that install, list and remove the sample designs
;   ICON (optional)    the program's icon
;   TARGET_AMD64 (optional) build the same installer as a 64-bit program (for test
;                      machines whose kernel cannot execute 32-bit code)

Unicode true
!ifdef TARGET_AMD64
  Target amd64-unicode
  ; The 32-bit branches are dead code in the 64-bit build.
  !pragma warning disable 6012
!endif
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include x64.nsh
!include FileFunc.nsh
!include "${DESIGNS_NSH}"

!define PRODUCT "Vireluna"
!define PUBLISHER "Tessoran"
!define SAVER_FILE "VirelunaLogo.scr"
!define SETTINGS_FILE "VirelunaSettings.exe"
!define UNINSTALLER_FILE "Uninstall.exe"
!define DESIGNS_FOLDER "Designs"
; The saver's default playlist entry lives in this folder, so it is fixed, not chosen.
!define INSTALL_FOLDER "Tessoran\Saver2"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vireluna"
!define PROFILE_PARENT_KEY "Software\TessoranVireluna"
!define PROFILE_KEY "${PROFILE_PARENT_KEY}\VirelunaLogo"
!define PLAYLIST_KEY "${PROFILE_KEY}\Display File List"
!define PLAYLIST_LENGTH 20
!define DESKTOP_KEY "Control Panel\Desktop"
!define START_MENU_FOLDER "$SMPROGRAMS\Vireluna"
!define SETTINGS_SHORTCUT "Vireluna Settings.lnk"
!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_UPDATE_AND_BROADCAST 3
!define REMOVE_SETTINGS_SWITCH "/REMOVESETTINGS"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "(C) 2026 ${PUBLISHER}"

!ifdef ICON
  !define MUI_ICON "${ICON}"
  !define MUI_UNICON "${ICON}"
!endif
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!define MUI_WELCOMEPAGE_TEXT "This installs the Vireluna embroidery screen saver: it stitches \
embroidery designs on your screen, line by line, in their thread colours.$\r$\n$\r$\n\
Settings and a playlist you already have are kept."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "Vireluna is installed. It appears as $\"VirelunaLogo$\" in the \
list of screen savers of the display settings.$\r$\n$\r$\nThe sample designs are in \
$INSTDIR\${DESIGNS_FOLDER}."
!ifdef SETTINGS64
  !define MUI_FINISHPAGE_RUN "$INSTDIR\${SETTINGS_FILE}"
  !define MUI_FINISHPAGE_RUN_TEXT "Open the Vireluna settings"
  !define MUI_FINISHPAGE_RUN_NOTCHECKED
!endif
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; A 32-bit installer on 64-bit Windows must reach the real system folder and the 64-bit
; Program Files and registry: Windows would otherwise send it to SysWOW64 and
; "Program Files (x86)". The file-system switch holds per thread, so every section sets it.
!macro UseNativeView
  ${If} ${RunningX64}
    ${DisableX64FSRedirection}
    SetRegView 64
  ${EndIf}
!macroend

!macro SetInstallFolder
  ${If} ${RunningX64}
    StrCpy $INSTDIR "$PROGRAMFILES64\${INSTALL_FOLDER}"
  ${Else}
    StrCpy $INSTDIR "$PROGRAMFILES\${INSTALL_FOLDER}"
  ${EndIf}
!macroend

Section "Vireluna screen saver" SectionSaver
  SectionIn RO
  !insertmacro UseNativeView
  SetShellVarContext all

  SetOutPath "$SYSDIR"
  ${If} ${RunningX64}
    File "/oname=${SAVER_FILE}" "${SAVER64}"
  ${Else}
    File "/oname=${SAVER_FILE}" "${SAVER32}"
  ${EndIf}

  SetOutPath "$INSTDIR"
  !ifdef SETTINGS64
    ${If} ${RunningX64}
      File "/oname=${SETTINGS_FILE}" "${SETTINGS64}"
    ${Else}
      File "/oname=${SETTINGS_FILE}" "${SETTINGS32}"
    ${EndIf}
    CreateDirectory "${START_MENU_FOLDER}"
    CreateShortcut "${START_MENU_FOLDER}\${SETTINGS_SHORTCUT}" "$INSTDIR\${SETTINGS_FILE}"
  !endif

  SetOutPath "$INSTDIR\${DESIGNS_FOLDER}"
  !insertmacro VirelunaInstallDesigns
  SetOutPath "$INSTDIR"

  WriteUninstaller "$INSTDIR\${UNINSTALLER_FILE}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} screen saver"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER_FILE}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER_FILE}" /S'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$SYSDIR\${SAVER_FILE}"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0

  Call FillEmptyPlaylist
SectionEnd

Section "Make Vireluna the current screen saver" SectionCurrent
  !insertmacro UseNativeView
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$SYSDIR\${SAVER_FILE}"
  System::Call "user32::SystemParametersInfo(i ${SPI_SETSCREENSAVEACTIVE}, i 1, p 0, \
i ${SPIF_UPDATE_AND_BROADCAST})"
SectionEnd

; The bundled designs become the playlist only when the profile names no design yet: an
; update, or a reinstall, keeps what the user chose.
Function FillEmptyPlaylist
  StrCpy $0 1
  ${Do}
    IntFmt $1 "File%02d" $0
    ClearErrors
    ReadRegStr $2 HKCU "${PLAYLIST_KEY}" $1
    ${IfNot} ${Errors}
    ${AndIf} $2 != ""
      DetailPrint "Keeping your playlist"
      Return
    ${EndIf}
    IntOp $0 $0 + 1
  ${LoopUntil} $0 > ${PLAYLIST_LENGTH}
  DetailPrint "Playing the sample designs"
  !insertmacro VirelunaWriteSamplePlaylist "${PLAYLIST_KEY}" "$INSTDIR\${DESIGNS_FOLDER}"
FunctionEnd

Function .onInit
  !insertmacro UseNativeView
  !insertmacro SetInstallFolder
FunctionEnd

Section "un.Vireluna screen saver" SectionUninstallSaver
  SectionIn RO
  !insertmacro UseNativeView
  SetShellVarContext all

  ; The screen-saver choice is ours only while it names our saver.
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${GetFileName} $0 $1
  ${If} $1 == "${SAVER_FILE}"
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${EndIf}

  Delete "$SYSDIR\${SAVER_FILE}"
  Delete "$INSTDIR\${SETTINGS_FILE}"
  Delete "${START_MENU_FOLDER}\${SETTINGS_SHORTCUT}"
  RMDir "${START_MENU_FOLDER}"
  !insertmacro VirelunaRemoveDesigns "$INSTDIR\${DESIGNS_FOLDER}"
  ; Designs the user added to the folder stay, and so does the folder then.
  RMDir "$INSTDIR\${DESIGNS_FOLDER}"
  Delete "$INSTDIR\${UNINSTALLER_FILE}"
  RMDir "$INSTDIR"
  ${GetParent} "$INSTDIR" $0
  RMDir "$0"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

Section /o "un.Remove my Vireluna settings and playlist" SectionUninstallSettings
  DeleteRegKey HKCU "${PROFILE_KEY}"
  DeleteRegKey /ifempty HKCU "${PROFILE_PARENT_KEY}"
SectionEnd

Function un.onInit
  !insertmacro UseNativeView
  ; Scripted removals ask for the settings to go with a switch.
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "${REMOVE_SETTINGS_SWITCH}" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${SectionUninstallSettings} ${SF_SELECTED}
  ${EndIf}
FunctionEnd
