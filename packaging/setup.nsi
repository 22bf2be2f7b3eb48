; The Windows setup: a per-user install that never asks for administrator
; rights, built by packaging/windows.cmake with Debian's makensis, which
; passes on the command line:
;   VERSION          as people see it, 1.00
;   VERSION_NUMBERS  the version record's four numbers, 1.0.0.0
;   HOME_URL         the maker's address
;   PROGRAM          the Vellumino.exe it carries, byte for byte
;   LICENSE, OPENCC_LICENSE and, when the tree has it, JIEBA_LICENSE
;   ICON             the program's icon, which the setup and the uninstaller wear
;   OUTFILE          where the setup is written
; The pages are in Simplified Chinese where Windows' own dialogs are, and in
; English elsewhere: NSIS picks by the user's UI language.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true
ManifestSupportedOS all

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "WinMessages.nsh"
!include "FileFunc.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vellumino"
; The program's window class (app/win32/form1.cpp): how a running Vellumino is found.
!define WINDOW_CLASS "Vellumino.Form1"

Name "Vellumino"
OutFile "${OUTFILE}"
BrandingText "Vellumino ${VERSION}"
; Per user, where Windows puts programs installed without rights; an earlier
; install elsewhere is updated where it is.
InstallDir "$LOCALAPPDATA\Programs\Vellumino"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

; The Apache licence asks for no acceptance, so the page only shows it.
!define MUI_LICENSEPAGE_TEXT_BOTTOM "$(LicenceNote)"
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Vellumino.exe"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first is the one used where Windows speaks neither.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"

LangString LicenceNote ${LANG_ENGLISH} "Vellumino is free software under the Apache License 2.0. You need not accept it to use the program."
LangString LicenceNote ${LANG_SIMPCHINESE} "Vellumino 是以 Apache License 2.0 发布的自由软件，使用本程序无须接受此许可证。"
LangString SectionProgram ${LANG_ENGLISH} "Vellumino and its Start menu shortcut"
LangString SectionProgram ${LANG_SIMPCHINESE} "Vellumino 及“开始”菜单快捷方式"
LangString SectionDesktop ${LANG_ENGLISH} "Desktop shortcut"
LangString SectionDesktop ${LANG_SIMPCHINESE} "桌面快捷方式"
LangString Running ${LANG_ENGLISH} "Vellumino is open. Click OK to close it and go on, or Cancel to stop."
LangString Running ${LANG_SIMPCHINESE} "Vellumino 正在运行。点击“确定”将其关闭并继续，点击“取消”退出。"
LangString StillRunning ${LANG_ENGLISH} "Vellumino could not be closed. Close it and try again."
LangString StillRunning ${LANG_SIMPCHINESE} "无法关闭 Vellumino。请先关闭它，然后重试。"
LangString NotRemoved ${LANG_ENGLISH} "Vellumino.exe could not be removed. Close Vellumino and try again."
LangString NotRemoved ${LANG_SIMPCHINESE} "无法删除 Vellumino.exe。请关闭 Vellumino 后重试。"

; The version record, in both languages, on the setup and on its uninstaller.
VIProductVersion "${VERSION_NUMBERS}"
VIFileVersion "${VERSION_NUMBERS}"
!macro VersionRecord LANGUAGE DESCRIPTION
    VIAddVersionKey /LANG=${LANGUAGE} "ProductName" "Vellumino"
    VIAddVersionKey /LANG=${LANGUAGE} "CompanyName" "${HOME_URL}"
    VIAddVersionKey /LANG=${LANGUAGE} "FileDescription" "${DESCRIPTION}"
    VIAddVersionKey /LANG=${LANGUAGE} "FileVersion" "${VERSION}"
    VIAddVersionKey /LANG=${LANGUAGE} "ProductVersion" "${VERSION}"
    VIAddVersionKey /LANG=${LANGUAGE} "LegalCopyright" "Apache License 2.0"
!macroend
!insertmacro VersionRecord ${LANG_ENGLISH} "Vellumino ${VERSION} Setup"
!insertmacro VersionRecord ${LANG_SIMPCHINESE} "Vellumino ${VERSION} 安装程序"

; Closes every running Vellumino before its file is replaced or removed, once
; the user agrees; a silent run closes it without asking, as a managed update
; must go through (the program keeps no settings; only an unsaved signature
; in its field is lost). A window that will not close stops the run.
!macro CloseVellumino UN
Function ${UN}CloseVellumino
    FindWindow $0 "${WINDOW_CLASS}"
    ${If} $0 = 0
        Return
    ${EndIf}
    MessageBox MB_OKCANCEL|MB_ICONEXCLAMATION "$(Running)" /SD IDOK IDOK close
    Abort
close:
    ; Ten seconds for every window to go, then as long again for the
    ; processes to let go of the file.
    StrCpy $1 0
    ${Do}
        FindWindow $0 "${WINDOW_CLASS}"
        ${If} $0 = 0
            ${Break}
        ${EndIf}
        ${If} $1 >= 100
            MessageBox MB_OK|MB_ICONSTOP "$(StillRunning)" /SD IDOK
            SetErrorLevel 3
            Abort
        ${EndIf}
        SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=2000
        Sleep 100
        IntOp $1 $1 + 1
    ${Loop}
    StrCpy $1 0
    ${DoWhile} ${FileExists} "$INSTDIR\Vellumino.exe"
        ClearErrors
        FileOpen $0 "$INSTDIR\Vellumino.exe" a
        ${IfNot} ${Errors}
            FileClose $0
            ${Break}
        ${EndIf}
        ${If} $1 >= 100
            MessageBox MB_OK|MB_ICONSTOP "$(StillRunning)" /SD IDOK
            SetErrorLevel 3
            Abort
        ${EndIf}
        Sleep 100
        IntOp $1 $1 + 1
    ${Loop}
FunctionEnd
!macroend
!insertmacro CloseVellumino ""
!insertmacro CloseVellumino "un."

Section "$(SectionProgram)" SectionProgram
    SectionIn RO
    Call CloseVellumino
    ; The outermost folder this install makes (a fresh profile has no
    ; Programs folder), for the uninstaller to take away again if it is left
    ; empty; an install over an earlier one keeps what that one noted.
    StrCpy $R0 "$INSTDIR"
    StrCpy $R1 ""
    ${DoUntil} ${FileExists} "$R0\*.*"
        StrCpy $R1 "$R0"
        ${GetParent} "$R0" $R0
        ${If} $R0 == ""
            ${Break}
        ${EndIf}
    ${Loop}
    SetOutPath "$INSTDIR"
    File "/oname=Vellumino.exe" "${PROGRAM}"
    File "/oname=LICENSE.txt" "${LICENSE}"
    File "/oname=OPENCC-LICENSE.txt" "${OPENCC_LICENSE}"
!ifdef JIEBA_LICENSE
    File "/oname=JIEBA-LICENSE.txt" "${JIEBA_LICENSE}"
!endif
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Vellumino.lnk" "$INSTDIR\Vellumino.exe"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Vellumino"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${HOME_URL}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "${HOME_URL}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Vellumino.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    ${If} $R1 != ""
        WriteRegStr HKCU "${UNINSTALL_KEY}" "CreatedFolder" "$R1"
    ${EndIf}
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ; In KiB, as Settings shows it: the files above and the uninstaller.
    SectionGetSize ${SectionProgram} $0
    FileOpen $1 "$INSTDIR\Uninstall.exe" r
    FileSeek $1 0 END $2
    FileClose $1
    IntOp $2 $2 / 1024
    IntOp $0 $0 + $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "$(SectionDesktop)" SectionDesktop
    CreateShortcut "$DESKTOP\Vellumino.lnk" "$INSTDIR\Vellumino.exe"
SectionEnd

; Exactly what the setup wrote; a folder the user filled stays with what is
; left in it.
Section "Uninstall"
    Call un.CloseVellumino
    Delete "$INSTDIR\Vellumino.exe"
    ${If} ${FileExists} "$INSTDIR\Vellumino.exe"
        MessageBox MB_OK|MB_ICONSTOP "$(NotRemoved)" /SD IDOK
        SetErrorLevel 3
        Abort
    ${EndIf}
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\OPENCC-LICENSE.txt"
!ifdef JIEBA_LICENSE
    Delete "$INSTDIR\JIEBA-LICENSE.txt"
!endif
    Delete "$SMPROGRAMS\Vellumino.lnk"
    Delete "$DESKTOP\Vellumino.lnk"
    ReadRegStr $R1 HKCU "${UNINSTALL_KEY}" "CreatedFolder"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    ; A new profile has no list of installed programs until a setup writes
    ; the first: the one this setup made goes too, if nothing else is in it.
    DeleteRegKey /ifempty HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    ; The folders up to the one the setup made, each only if empty, and only
    ; where that one holds the install.
    StrLen $R2 "$R1"
    StrCpy $R3 "$INSTDIR" $R2
    ${If} $R1 != ""
    ${AndIf} $R3 == $R1
        StrCpy $R0 "$INSTDIR"
        ${DoUntil} $R0 == $R1
            ${GetParent} "$R0" $R0
            ${If} $R0 == ""
                ${Break}
            ${EndIf}
            RMDir "$R0"
        ${Loop}
    ${EndIf}
SectionEnd
