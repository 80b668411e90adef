; The setup program of RQN_KZT for Windows (64-bit), made by scripts/windows:
;   makensis -DVERSION=<x.y.z> -DSOURCE=<program folder> -DOUTFILE=<setup.exe>
;            -DICONE=<icon.ico> -DFICHIERS=<list.nsh> -DEFFACE=<list.nsh> RQN_KZT.nsi
; FICHIERS installs the files of the program folder, EFFACE removes them.
;
; Installed for the user alone, without administrator rights, by default in
; %LOCALAPPDATA%\RQN_KZT: the program keeps its logs in its own folder, so the
; folder must be the user's, never one under "Program Files". The uninstaller
; removes the program's own files only: logs, backups, Liste_Prenom.txt and
; the settings (%APPDATA%\KZT\KZT.ini) stay.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "StrFunc.nsh"
${StrStr}

Name "RQN_KZT"
Caption "RQN_KZT ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\RQN_KZT"
InstallDirRegKey HKCU "Software\RQN_KZT" "Dossier"
BrandingText "RQN_KZT ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1036 "ProductName" "RQN_KZT"
VIAddVersionKey /LANG=1036 "FileDescription" "Installation de RQN_KZT"
VIAddVersionKey /LANG=1036 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1036 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1036 "LegalCopyright" "RQN_KZT"

!define MUI_ICON "${ICONE}"
!define MUI_UNICON "${ICONE}"
!define MUI_ABORTWARNING
!define MUI_DIRECTORYPAGE_TEXT_TOP "RQN_KZT garde ses logs dans son propre dossier : choisissez un dossier qui vous appartient (pas « Program Files »)."
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\RQN_KZT.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "French"

!define CLE_DESINSTALLATION "Software\Microsoft\Windows\CurrentVersion\Uninstall\RQN_KZT"

; A folder under "Program Files" is not writable by the program: refused,
; in the folder page and for /D of a silent setup alike. $R9 is 1 for such a folder.
Function DossierProgramFiles
  StrCpy $R9 0
  ${StrStr} $0 "$INSTDIR\" "$PROGRAMFILES64\"
  ${If} $0 == "$INSTDIR\"
    StrCpy $R9 1
  ${EndIf}
  ${StrStr} $0 "$INSTDIR\" "$PROGRAMFILES32\"
  ${If} $0 == "$INSTDIR\"
    StrCpy $R9 1
  ${EndIf}
FunctionEnd

; The program works on its folder while it holds its lock file open, and
; Windows then refuses to delete it: $R8 is 1 while RQN_KZT is open on
; $INSTDIR (here or from another computer, through a shared folder). A lock
; left by a program that has ended is deleted; the program makes it again.
Function ProgrammeOuvert
  StrCpy $R8 0
  ${If} ${FileExists} "$INSTDIR\RQN_KZT.lock"
    ClearErrors
    Delete "$INSTDIR\RQN_KZT.lock"
    ${If} ${Errors}
      StrCpy $R8 1
    ${EndIf}
  ${EndIf}
FunctionEnd

; Whether the user can write the folder, without administrator rights, tried
; by writing in it: names alone miss "Program Files (x86)", short names and
; the folders of other users. $R7 is 1 for a folder that can be written.
Function DossierInscriptible
  StrCpy $R7 0
  StrCpy $1 0
  ${IfNot} ${FileExists} "$INSTDIR\*.*"
    StrCpy $1 1
  ${EndIf}
  ClearErrors
  CreateDirectory "$INSTDIR"
  FileOpen $0 "$INSTDIR\RQN_KZT_essai.tmp" w
  ${IfNot} ${Errors}
    FileWrite $0 "RQN_KZT"
    FileClose $0
    ${IfNot} ${Errors}
      StrCpy $R7 1
    ${EndIf}
  ${EndIf}
  Delete "$INSTDIR\RQN_KZT_essai.tmp"
  ${If} $R7 == 0
  ${AndIf} $1 == 1
    RMDir "$INSTDIR"
  ${EndIf}
FunctionEnd

Function .onVerifyInstDir
  Call DossierProgramFiles
  ${If} $R9 == 1
    Abort
  ${EndIf}
FunctionEnd

Function .onInit
  SetShellVarContext current
FunctionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section "RQN_KZT"
  Call DossierProgramFiles
  ${If} $R9 == 1
    MessageBox MB_OK|MB_ICONSTOP "RQN_KZT garde ses logs dans son propre dossier : il ne peut pas être installé dans « $INSTDIR ». Choisissez un dossier qui vous appartient." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
  Call DossierInscriptible
  ${If} $R7 == 0
    MessageBox MB_OK|MB_ICONSTOP "Le dossier « $INSTDIR » ne peut pas être écrit sans les droits d'administrateur : RQN_KZT, qui y garde ses logs, ne peut pas y être installé. Choisissez un dossier qui vous appartient." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
  ; Its files are in use while the program is open: nothing is replaced
  ; before it is closed.
  Call ProgrammeOuvert
  ${While} $R8 == 1
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "RQN_KZT est ouvert sur le dossier « $INSTDIR ». Fermez-le, puis choisissez « Réessayer » ; « Annuler » arrête l'installation sans rien changer." /SD IDCANCEL IDRETRY +3
    SetErrorLevel 3
    Quit
    Call ProgrammeOuvert
  ${EndWhile}
  SetOutPath "$INSTDIR"
  !include "${FICHIERS}"
  ; The first-name memory is the user's: delivered empty once, never replaced.
  SetOverwrite off
  File "${SOURCE}\Liste_Prenom.txt"
  SetOverwrite on

  WriteUninstaller "$INSTDIR\Desinstaller_RQN_KZT.exe"
  CreateShortCut "$SMPROGRAMS\RQN_KZT.lnk" "$INSTDIR\RQN_KZT.exe" "" "$INSTDIR\RQN_KZT.exe" 0
  WriteRegStr HKCU "Software\RQN_KZT" "Dossier" "$INSTDIR"
  WriteRegStr HKCU "${CLE_DESINSTALLATION}" "DisplayName" "RQN_KZT"
  WriteRegStr HKCU "${CLE_DESINSTALLATION}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${CLE_DESINSTALLATION}" "DisplayIcon" "$INSTDIR\RQN_KZT.exe"
  WriteRegStr HKCU "${CLE_DESINSTALLATION}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${CLE_DESINSTALLATION}" "UninstallString" '"$INSTDIR\Desinstaller_RQN_KZT.exe"'
  WriteRegStr HKCU "${CLE_DESINSTALLATION}" "QuietUninstallString" '"$INSTDIR\Desinstaller_RQN_KZT.exe" /S'
  WriteRegDWORD HKCU "${CLE_DESINSTALLATION}" "NoModify" 1
  WriteRegDWORD HKCU "${CLE_DESINSTALLATION}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  ; Only what the setup put there: the folder goes only when nothing else is
  ; left in it.
  !include "${EFFACE}"
  Delete "$INSTDIR\Desinstaller_RQN_KZT.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\RQN_KZT.lnk"
  DeleteRegKey HKCU "${CLE_DESINSTALLATION}"
  DeleteRegKey HKCU "Software\RQN_KZT"
SectionEnd
