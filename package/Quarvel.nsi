; Quarvel's installer: per-user (no administrator rights) or per-machine, a Start menu shortcut
; and an entry among the installed programs; /S installs and uninstalls silently.
;   makensis -DVERSION=1.2.3 -DFILES=folder -DPICTURES=folder -DOUTFILE=setup.exe Quarvel.nsi
; FILES holds the files to install, PICTURES the pictures tools/make_pictures.py drew.
; Command line: /CurrentUser or /AllUsers chooses the kind of install (per-user by default),
; /OpenWith adds the "Open in Quarvel" verb (off by default), /D=folder the folder (last, unquoted).

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!define PRODUCT "Quarvel"
!define PUBLISHER "Vendrel"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
; The verb goes beside whatever opens these files, never in place of it: each type's default
; program stays as it is.
!define ASSOCIATIONS "Software\Classes\SystemFileAssociations"
!define VERB "OpenInQuarvel"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "LegalCopyright" "Copyright (C) ${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"

; Administrators may choose either kind of install; other users install for themselves.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${PRODUCT}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include Sections.nsh

!define MUI_ICON "${PICTURES}/quarvel.ico"
!define MUI_UNICON "${PICTURES}/uninstall.ico"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${PICTURES}/installer_sidebar.bmp"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${PICTURES}/installer_sidebar.bmp"
!define MUI_HEADERIMAGE
!define MUI_HEADERIMAGE_RIGHT
!define MUI_HEADERIMAGE_BITMAP "${PICTURES}/installer_header.bmp"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Quarvel.exe"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\readme.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Quarvel"
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${FILES}/Quarvel.exe"
  File "${FILES}/Quarvel.chm"
  File "${FILES}/quarvel-cli.exe"
  File "${FILES}/readme.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Quarvel.exe"

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Quarvel.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  ; The uninstaller is told which kind of install it removes.
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

!macro ForEachIconFileType MACRO
  !insertmacro ${MACRO} .exe
  !insertmacro ${MACRO} .dll
  !insertmacro ${MACRO} .ocx
  !insertmacro ${MACRO} .scr
  !insertmacro ${MACRO} .cpl
  !insertmacro ${MACRO} .ico
!macroend

!macro WriteOpenWithVerb EXT
  WriteRegStr SHCTX "${ASSOCIATIONS}\${EXT}\shell\${VERB}" "" "Open in ${PRODUCT}"
  WriteRegStr SHCTX "${ASSOCIATIONS}\${EXT}\shell\${VERB}\command" "" '"$INSTDIR\Quarvel.exe" "%1"'
!macroend

; Removes the verb when it is this install's, then the keys above it that held nothing else.
!macro RemoveOpenWithVerb EXT
  ReadRegStr $0 SHCTX "${ASSOCIATIONS}\${EXT}\shell\${VERB}\command" ""
  ${If} $0 == '"$INSTDIR\Quarvel.exe" "%1"'
    DeleteRegKey SHCTX "${ASSOCIATIONS}\${EXT}\shell\${VERB}"
    DeleteRegKey /ifempty SHCTX "${ASSOCIATIONS}\${EXT}\shell"
    DeleteRegKey /ifempty SHCTX "${ASSOCIATIONS}\${EXT}"
    DeleteRegKey /ifempty SHCTX "${ASSOCIATIONS}"
  ${EndIf}
!macroend

; Explorer rereads the verbs when told the associations changed.
!macro TellExplorerAssociationsChanged
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
!macroend

Section /o "Open in ${PRODUCT}" OpenWithSection
  !insertmacro ForEachIconFileType WriteOpenWithVerb
  !insertmacro TellExplorerAssociationsChanged
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${OpenWithSection} \
    "Adds $\"Open in ${PRODUCT}$\" to the right-click menu of .exe, .dll, .ocx, .scr, .cpl and .ico files."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
  !insertmacro MULTIUSER_INIT
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/OpenWith" $R1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${OpenWithSection}
  ${EndIf}
FunctionEnd

; Removes what the install made, file by file, and nothing else.
Section "Uninstall"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$INSTDIR\Quarvel.exe"
  Delete "$INSTDIR\Quarvel.chm"
  Delete "$INSTDIR\quarvel-cli.exe"
  Delete "$INSTDIR\readme.txt"
  Delete "$INSTDIR\Uninstall.exe"
  ; Only when empty: files the user put there stay, and so does the folder.
  RMDir "$INSTDIR"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  !insertmacro ForEachIconFileType RemoveOpenWithVerb
  !insertmacro TellExplorerAssociationsChanged
  ; A per-user install may have been the first to make the user's programs folder, the
  ; Uninstall key and the user's classes: they go too when nothing else is in them.
  ${If} $MultiUser.InstallMode == CurrentUser
    RMDir "$LOCALAPPDATA\Programs"
    DeleteRegKey /ifempty HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall"
    DeleteRegKey /ifempty HKCU "Software\Classes"
  ${EndIf}
SectionEnd
