# Sourced by scripts/windows-test: the installer under Wine, in a prefix of
# its own that starts empty. Counts with windows-test's check.
#
# setup_checks SETUP VERSION PREFIX: silent install with mgw on the PATH,
# then silent uninstall, then a silent install without the PATH option.
setup_checks() {
  local setup=$1 version=$2
  # No menu entries or file types leak into the desktop this runs on.
  local -x WINEPREFIX=$3 HOME=$3.home WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
  local dir="C:\\Program Files\\LumentorMGW"
  local drive=$WINEPREFIX/drive_c
  local files=$drive/"Program Files/LumentorMGW"
  local shortcut=$drive/"ProgramData/Microsoft/Windows/Start Menu/Programs/LumentorMGW.lnk"
  local uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\LumentorMGW'
  local environment='HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\Environment'
  mkdir -p "$HOME"
  wineboot -i >/dev/null 2>&1
  wineserver -w
  local path_before
  path_before=$(reg_value "$environment" Path)

  check "the installer is a 64-bit program" pe_machine_is_amd64 "$setup"
  check "silent install, mgw on the PATH (/S /PATH)" wine_and_wait "$setup" /S /PATH
  check "the programs and the licence in Program Files" \
    test -f "$files/LumentorMGW.exe" -a -f "$files/bin/mgw.exe" -a -f "$files/LICENSE.txt"
  check "the Start menu entry" test -f "$shortcut"
  check "the .MGW file type opens in the window" same \
    "$(reg_value 'HKCR\.MGW' '(Default)') $(reg_value 'HKCR\LumentorMGW.MapFile\shell\open\command' '(Default)')" \
    "LumentorMGW.MapFile \"$dir\\LumentorMGW.exe\" \"%1\""
  check "mgw's folder on the system PATH" \
    same "$(reg_value "$environment" Path)" "$path_before;$dir\\bin"
  check "the installed mgw.exe --version" \
    same "$(wine "$dir\\bin\\mgw.exe" --version | tr -d '\r')" "mgw $version"
  check "mgw from a command prompt, through the PATH" \
    same "$(wine cmd /c mgw --version | tr -d '\r')" "mgw $version"
  check "the uninstaller is registered" same \
    "$(reg_value "$uninstall" DisplayName) $(reg_value "$uninstall" UninstallString)" \
    "LumentorMGW \"$dir\\Uninstall.exe\""

  check "silent uninstall (/S)" wine_and_wait "$dir\\Uninstall.exe" /S
  check "the install folder is gone" test ! -e "$files"
  check "the Start menu entry is gone" test ! -e "$shortcut"
  check "the .MGW file type is gone" same "$(reg_value 'HKCR\.MGW' '(Default)')$(
    reg_value 'HKCR\LumentorMGW.MapFile\shell\open\command' '(Default)')" ""
  check "the PATH is as before" same "$(reg_value "$environment" Path)" "$path_before"
  check "the uninstaller is no longer registered" expect 1 wine reg query "$uninstall"

  check "silent install without /PATH" wine_and_wait "$setup" /S
  check "mgw installed, the PATH left alone" same \
    "$([ -f "$files/bin/mgw.exe" ] && echo installed) $(reg_value "$environment" Path)" "installed $path_before"
  wineserver -k >/dev/null 2>&1 || true
}

# wine_and_wait PROGRAM ARGUMENTS...: the installer and the uninstaller return
# at once; wineserver -w waits until every program of the prefix has ended.
wine_and_wait() {
  wine "$@" && wineserver -w
}

# same GOT EXPECTED: says both when they differ.
same() {
  [ "$1" = "$2" ] || { printf 'got:      %s\nexpected: %s\n' "$1" "$2"; return 1; }
}

# reg_value KEY NAME: the data of one registry value ("(Default)" for the
# key's own), as wine reg query shows it.
reg_value() {
  local option=(/v "$2")
  [ "$2" = "(Default)" ] && option=(/ve)
  wine reg query "$1" "${option[@]}" 2>/dev/null | tr -d '\r' |
    awk -v name="$2" -F '    ' '$2 == name { print $4 }'
}

# pe_machine_is_amd64 FILE: the PE header's machine field is x86-64 (0x8664).
pe_machine_is_amd64() {
  local header
  header=$(od -An -tu4 -j 60 -N 4 "$1" | tr -d ' ')
  [ "$(od -An -tx2 -j $((header + 4)) -N 2 "$1" | tr -d ' ')" = 8664 ]
}
