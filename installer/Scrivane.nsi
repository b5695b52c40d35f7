; The installer of gen_qlv.dll: finds the player's folder, puts the plug-in
; and its help pages (English, Traditional and Simplified Chinese) into that
; folder's Plugins, and registers an uninstaller.
;
; makensis -DQLV_DLL=<gen_qlv.dll> -DQLV_HELP=<folder of Scrivane*.html> -DQLV_OUT=<setup.exe> Scrivane.nsi
;
; ANSI, so it runs on every Windows the player runs on (95 and later); the
; Traditional Chinese texts are turned into code page 950 by makensis. Chinese
; has no blanks to wrap at: a hint that would wrap mid-word starts its own line.
Unicode false
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include WordFunc.nsh

!define PRODUCT "Qelvar Scrivane II"
!define VERSION "1.0"
!define PUBLISHER "Qelvar Scrivane II team"
!define UNINSTALLER "uninstall_gen_qlv.exe"
; Where the player registers itself, in the order players' plug-in installers look.
!define PLAYER_UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Winamp"
!define PLAYER_KEY "Software\Winamp"
!define OWN_UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"

!ifndef QLV_DLL | QLV_HELP | QLV_OUT
  !error "define QLV_DLL, QLV_HELP and QLV_OUT"
!endif

Name "${PRODUCT} ${VERSION}"
OutFile "${QLV_OUT}"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show
; No InstallDir: .onInit finds the player, unless /D= already named the folder.

VIProductVersion 1.0.0.0
VIFileVersion 1.0.0.0
VIAddVersionKey /LANG=1033 ProductName "${PRODUCT}"
VIAddVersionKey /LANG=1033 ProductVersion "${VERSION}"
VIAddVersionKey /LANG=1033 FileVersion "1.0.0.0"
VIAddVersionKey /LANG=1033 FileDescription "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=1033 CompanyName "${PUBLISHER}"
VIAddVersionKey /LANG=1033 LegalCopyright "(C) 1999-2026 Scrivane II team"

!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "$(WelcomeText)"
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_HEADER_TEXT "$(FolderTitle)"
!define MUI_PAGE_HEADER_SUBTEXT "$(FolderSubtitle)"
!define MUI_DIRECTORYPAGE_TEXT_TOP "$(FolderText)"
!define MUI_DIRECTORYPAGE_TEXT_DESTINATION "$(FolderLabel)"
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE CheckPlayerFolder
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "$(FinishText)"
!define MUI_FINISHPAGE_TEXT_LARGE
!define MUI_FINISHPAGE_RUN "$INSTDIR\winamp.exe"
!define MUI_FINISHPAGE_RUN_TEXT "$(RunPlayer)"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\Plugins\$(HelpPage)"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "$(ShowHelp)"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; English first: the language of a system that is neither.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "TradChinese"

LangString WelcomeText ${LANG_ENGLISH} "This installs ${PRODUCT} ${VERSION}, a plug-in that draws the player's song title in a Windows font of your choice.$\r$\n$\r$\nClose Winamp before you continue.$\r$\n$\r$\n$_CLICK"
LangString WelcomeText ${LANG_TRADCHINESE} "這將安裝 ${PRODUCT} ${VERSION}：以你選取的 Windows 字型顯示播放器的歌曲標題的外掛。$\r$\n$\r$\n繼續之前請先關閉 Winamp。$\r$\n$\r$\n$_CLICK"
LangString FolderText ${LANG_ENGLISH} "Setup puts gen_qlv.dll into the Plugins folder of the Winamp below. To use another Winamp, click Browse and select its folder (the one that holds winamp.exe). $_CLICK"
LangString FolderText ${LANG_TRADCHINESE} "安裝程式會將 gen_qlv.dll 放入下列 Winamp 的 Plugins 資料夾。若要使用其他的 Winamp，請按「瀏覽(R)...」並選取它的資料夾 (含有 winamp.exe 的資料夾)。$\r$\n$_CLICK"
LangString FolderTitle ${LANG_ENGLISH} "Choose the Winamp folder"
LangString FolderTitle ${LANG_TRADCHINESE} "選取 Winamp 資料夾"
LangString FolderSubtitle ${LANG_ENGLISH} "Choose the Winamp that gets ${PRODUCT} ${VERSION}."
LangString FolderSubtitle ${LANG_TRADCHINESE} "選取要安裝 ${PRODUCT} ${VERSION} 的 Winamp。"
LangString FolderLabel ${LANG_ENGLISH} "Winamp folder"
LangString FolderLabel ${LANG_TRADCHINESE} "Winamp 資料夾"
LangString NoPlayer ${LANG_ENGLISH} "There is no winamp.exe in$\r$\n$INSTDIR$\r$\n$\r$\nSelect the folder where Winamp is installed."
LangString NoPlayer ${LANG_TRADCHINESE} "下列資料夾中沒有 winamp.exe：$\r$\n$INSTDIR$\r$\n$\r$\n請選取 Winamp 安裝所在的資料夾。"
LangString InUse ${LANG_ENGLISH} "gen_qlv.dll is in use:$\r$\n$0$\r$\n$\r$\nWinamp is probably running. Close Winamp, then click Retry."
LangString InUse ${LANG_TRADCHINESE} "gen_qlv.dll 正在使用中：$\r$\n$0$\r$\n$\r$\nWinamp 可能正在執行。請關閉 Winamp，再按「重試」。"
LangString FinishText ${LANG_ENGLISH} "${PRODUCT} ${VERSION} is installed in$\r$\n$INSTDIR\Plugins$\r$\n$\r$\nIn Winamp the song title is now drawn in a Windows font; the plug-in's configuration is the last entry of Winamp's main menu."
LangString FinishText ${LANG_TRADCHINESE} "${PRODUCT} ${VERSION} 已安裝於$\r$\n$INSTDIR\Plugins$\r$\n$\r$\nWinamp 的歌曲標題現在以 Windows 字型顯示；外掛的配置是 Winamp 主選單的最後一項。"
LangString RunPlayer ${LANG_ENGLISH} "Start Winamp"
LangString RunPlayer ${LANG_TRADCHINESE} "啟動 Winamp"
LangString ShowHelp ${LANG_ENGLISH} "Show the help page"
LangString ShowHelp ${LANG_TRADCHINESE} "顯示說明網頁"
LangString HelpPage ${LANG_ENGLISH} "Scrivane.html"
LangString HelpPage ${LANG_TRADCHINESE} "Scrivane.zh-TW.html"

; $0 := the folder of a path held in $0, without quotes and arguments:
; the player writes its UninstallString as a quoted or a bare path.
!macro FolderOfCommand
  StrCpy $1 $0 1
  ${If} $1 == '"'
    StrCpy $0 $0 "" 1
    ${WordFind} $0 '"' "+1{" $0
  ${EndIf}
  ${GetParent} $0 $0
!macroend

; $0 := the player's folder from its own registration, the first that holds
; winamp.exe; else "$PROGRAMFILES\Winamp".
Function FindPlayer
  ReadRegStr $0 HKLM "${PLAYER_UNINSTALL_KEY}" "UninstallString"
  ${If} $0 != ""
    !insertmacro FolderOfCommand
    IfFileExists "$0\winamp.exe" found
  ${EndIf}
  ReadRegStr $0 HKCU "${PLAYER_KEY}" ""
  StrCpy $1 $0 "" -1
  ${If} $1 == "\"
    StrCpy $0 $0 -1
  ${EndIf}
  ${If} $0 != ""
    IfFileExists "$0\winamp.exe" found
  ${EndIf}
  StrCpy $0 "$PROGRAMFILES\Winamp"
found:
FunctionEnd

Function .onInit
  ; /D= sets $INSTDIR before this runs; it then wins over the registry.
  ${If} $INSTDIR == ""
    Call FindPlayer
    StrCpy $INSTDIR $0
  ${EndIf}
  ; A silent install has no folder page to refuse a wrong folder on.
  ${If} ${Silent}
  ${AndIfNot} ${FileExists} "$INSTDIR\winamp.exe"
    SetErrorLevel 2
    Abort
  ${EndIf}
FunctionEnd

Function CheckPlayerFolder
  ${IfNot} ${FileExists} "$INSTDIR\winamp.exe"
    MessageBox MB_OK|MB_ICONEXCLAMATION "$(NoPlayer)"
    Abort
  ${EndIf}
FunctionEnd

; Waits, with the user, until $0 (a DLL) can be replaced: a running player
; keeps its plug-ins loaded, and a loaded DLL cannot be written. Asking before
; the first file is touched leaves nothing half-installed. Cancel aborts.
!macro WaitUntilFree un
Function ${un}WaitUntilFree
retry:
  ${IfNot} ${FileExists} $0
    Return
  ${EndIf}
  ClearErrors
  FileOpen $1 $0 a
  ${IfNot} ${Errors}
    FileClose $1
    Return
  ${EndIf}
  MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(InUse)" /SD IDCANCEL IDRETRY retry
  SetErrorLevel 2
  Abort
FunctionEnd
!macroend
!insertmacro WaitUntilFree ""
!insertmacro WaitUntilFree "un."

Section "gen_qlv.dll"
  StrCpy $0 "$INSTDIR\Plugins\gen_qlv.dll"
  Call WaitUntilFree
  SetOutPath "$INSTDIR\Plugins"
  File "/oname=gen_qlv.dll" "${QLV_DLL}"
  File "/oname=Scrivane.html" "${QLV_HELP}/Scrivane.html"
  File "/oname=Scrivane.zh-TW.html" "${QLV_HELP}/Scrivane.zh-TW.html"
  File "/oname=Scrivane.zh-CN.html" "${QLV_HELP}/Scrivane.zh-CN.html"
  WriteUninstaller "$INSTDIR\Plugins\${UNINSTALLER}"

  WriteRegStr HKLM "${OWN_UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr HKLM "${OWN_UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${OWN_UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${OWN_UNINSTALL_KEY}" "URLInfoAbout" "http://www.example.org/scrivane/"
  WriteRegStr HKLM "${OWN_UNINSTALL_KEY}" "InstallLocation" "$INSTDIR\Plugins"
  WriteRegStr HKLM "${OWN_UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\winamp.exe,0"
  WriteRegStr HKLM "${OWN_UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Plugins\${UNINSTALLER}"'
  WriteRegStr HKLM "${OWN_UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Plugins\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${OWN_UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${OWN_UNINSTALL_KEY}" "NoRepair" 1
  ; Size in KB, as Add or Remove Programs shows it.
  ${GetSize} "$INSTDIR\Plugins" "/M=gen_qlv.dll /S=0K /G=0" $1 $2 $3
  ${GetSize} "$INSTDIR\Plugins" "/M=Scrivane*.html /S=0K /G=0" $4 $2 $3
  IntOp $1 $1 + $4
  ${GetSize} "$INSTDIR\Plugins" "/M=${UNINSTALLER} /S=0K /G=0" $4 $2 $3
  IntOp $1 $1 + $4
  WriteRegDWORD HKLM "${OWN_UNINSTALL_KEY}" "EstimatedSize" $1
SectionEnd

; $INSTDIR is the Plugins folder here, where the uninstaller lives.
; plugin.ini stays: it holds the user's settings and other plug-ins' sections.
Section "Uninstall"
  StrCpy $0 "$INSTDIR\gen_qlv.dll"
  Call un.WaitUntilFree
  Delete "$INSTDIR\gen_qlv.dll"
  Delete "$INSTDIR\Scrivane.html"
  Delete "$INSTDIR\Scrivane.zh-TW.html"
  Delete "$INSTDIR\Scrivane.zh-CN.html"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${OWN_UNINSTALL_KEY}"
SectionEnd
