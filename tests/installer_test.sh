#!/bin/sh
# Installs and uninstalls the screen saver silently with the real installer under Wine and
# checks what a user would see: the file in the system folder, the entry in Add/Remove
# Programs, and the current screen saver before, during and after.
# Usage: installer_test.sh <ZelvaneSetup.exe> <ssZelvane.scr> <version> <32|64>
# The last argument is the installer's width. A 32-bit installer on 64-bit Windows puts the
# .scr into SysWOW64, itself under "Program Files (x86)" and its entry into the 32-bit view
# of HKLM; the checks read that view by name, whichever Wine loader runs them.
# Works on a copy of $WINEPREFIX (or a fresh prefix), so other tests keep theirs untouched.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
setup=$1
scr=$2
version=$3
bits=$4
case $bits in
32) sysdir=syswow64 programs='Program Files (x86)' ;;
64) sysdir=system32 programs='Program Files' ;;
*) echo "installer width must be 32 or 64, not '$bits'" >&2; exit 2 ;;
esac
view=/reg:$bits

. "$root/tests/prefix_copy.sh"
use_prefix_copy installer-test
"$root/tools/wine-run" cmd /c exit 0 >/dev/null 2>&1

desktop='HKCU\Control Panel\Desktop'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zelvane'
record_key='HKCU\Software\Zelvane\Installer'
settings_key='HKCU\Software\Zelvane\Settings'
installed="C:\\windows\\$sysdir\\ssZelvane.scr"
installed_unix="$WINEPREFIX/drive_c/windows/$sysdir/ssZelvane.scr"
other='C:\windows\system32\other.scr'
failures=0
checks=0

# Runs a Windows program; its output without carriage returns, its exit status kept.
wine() {
    out=$("$root/tools/wine-run" "$@" 2>/dev/null)
    status=$?
    [ -n "$out" ] && printf '%s\n' "$out" | tr -d '\r'
    return $status
}

# Prints a registry value's data; fails when the value does not exist. Reads the key
# taken by `snapshot` from there, which saves a Wine start per value.
snapshot_key=
snapshot() { snapshot_key=$1; snapshot=$(wine reg query "$1" $view); }
reg_value() {
    if [ "$snapshot_key" = "$1" ]; then
        out=$snapshot
    else
        out=$(wine reg query "$1" /v "$2" $view) || return 1
    fi
    printf '%s\n' "$out" | awk -v name="$2" '
        index($0, "    " name "    ") == 1 {
            rest = substr($0, length(name) + 9)
            sub(/^REG_[A-Z_]+(    |$)/, "", rest)
            print rest; found = 1
        }
        END { exit !found }'
}
reg_type() {
    wine reg query "$1" /v "$2" $view | awk -v name="$2" 'index($0, "    " name "    ") == 1 {
        split(substr($0, length(name) + 9), f, " "); print f[1] }'
}
set_value() { wine reg add "$1" /v "$2" /t "${4:-REG_SZ}" /d "$3" /f $view >/dev/null; }
delete_value() { wine reg delete "$1" /v "$2" /f $view >/dev/null 2>&1 || true; }
key_exists() { wine reg query "$1" $view >/dev/null; }
upper() { printf '%s' "$1" | tr '[:lower:]' '[:upper:]'; }
# The 8.3 name of the installed file, as the Screen Saver settings of old wrote it.
short_name() {
    wine cmd /c dir /x "$installed" | awk -v long="ssZelvane.scr" '$NF == long && NF >= 2 { print $(NF - 1) }'
}

scenario() { printf '\n--- %s\n' "$*"; }
pass() { checks=$((checks + 1)); printf 'ok    %s\n' "$*"; }
fail() { checks=$((checks + 1)); failures=$((failures + 1)); printf 'FAIL  %s\n' "$*"; }
check() {  # description command...
    what=$1
    shift
    if "$@"; then pass "$what"; else fail "$what"; fi
}
expect_value() {  # key name expected; paths and names compare without case, as on Windows
    if actual=$(reg_value "$1" "$2"); then
        check "$2 = $3 (is '$actual')" [ "$(upper "$actual")" = "$(upper "$3")" ]
    else
        fail "$2 is missing, expected '$3'"
    fi
}
expect_no_value() {
    if actual=$(reg_value "$1" "$2"); then fail "$2 is '$actual', expected no value"; else pass "no $2"; fi
}
expect_no_key() {
    if key_exists "$1"; then fail "$1 still exists"; else pass "no key $1"; fi
}

install() {
    wine "$setup" /S "$@"
    status=$?
    check "installer /S $* exits 0 (exited $status)" [ $status -eq 0 ]
}
# Runs the uninstaller as Add/Remove Programs does, by its QuietUninstallString. It copies
# itself to the temp folder and returns at once; removing its key is the copy's last step.
uninstall() {
    if ! command=$(reg_value "$uninstall_key" QuietUninstallString); then
        fail "no QuietUninstallString to uninstall with"
        return
    fi
    exe=$(printf '%s' "$command" | sed -n 's/^"\([^"]*\)" \/S$/\1/p')
    check "QuietUninstallString is '\"<path>\" /S' (is '$command')" [ -n "$exe" ]
    wine "$exe" /S
    for _ in $(seq 120); do
        key_exists "$uninstall_key" || return
        sleep 0.5
    done
}
expect_installed() {
    check "the .scr is in $sysdir" cmp -s "$scr" "$installed_unix"
    snapshot "$uninstall_key"
    expect_value "$uninstall_key" DisplayName Zelvane
    expect_value "$uninstall_key" DisplayVersion "$version"
    expect_value "$uninstall_key" Publisher Zelvane
    expect_value "$uninstall_key" UninstallString "\"C:\\$programs\\Zelvane\\Uninstall.exe\""
    expect_value "$uninstall_key" DisplayIcon "$installed,0"
    snapshot_key=
    check "the uninstaller is where UninstallString says" \
        [ -f "$WINEPREFIX/drive_c/$programs/Zelvane/Uninstall.exe" ]
}
expect_uninstalled() {
    check "the .scr is gone" [ ! -e "$installed_unix" ]
    check "the uninstaller and its folder are gone" [ ! -e "$WINEPREFIX/drive_c/$programs/Zelvane" ]
    expect_no_key "$uninstall_key"
    expect_no_key "$record_key"
    expect_no_key "$settings_key"
    expect_no_key 'HKCU\Software\Zelvane'
}

scenario "replaces the current screen saver and gives it back on uninstall"
set_value "$desktop" SCRNSAVE.EXE "$other"
set_value "$desktop" ScreenSaveActive 0
install /SETACTIVE=1
expect_installed
expect_value "$desktop" SCRNSAVE.EXE "$installed"
expect_value "$desktop" ScreenSaveActive 1
set_value "$settings_key" ActiveSetup 0   # as every run of the program leaves it
uninstall
expect_uninstalled
expect_value "$desktop" SCRNSAVE.EXE "$other"
check "SCRNSAVE.EXE is REG_SZ again" [ "$(reg_type "$desktop" SCRNSAVE.EXE)" = REG_SZ ]
expect_value "$desktop" ScreenSaveActive 0

scenario "with no screen saver before, none after; only the switch changes it"
delete_value "$desktop" SCRNSAVE.EXE
delete_value "$desktop" ScreenSaveActive
install
expect_installed
expect_no_value "$desktop" SCRNSAVE.EXE
install /SETACTIVE=1
expect_value "$desktop" SCRNSAVE.EXE "$installed"
# A reinstall while Zelvane is current must not record Zelvane as what came before it.
install /SETACTIVE=1
# The Control Panel may spell the same file differently: here with a variable and, for the
# 32-bit file, the System32 that a 32-bit program sees as SysWOW64.
set_value "$desktop" SCRNSAVE.EXE '%SystemRoot%\SYSTEM32\SSZELVANE.SCR' REG_EXPAND_SZ
uninstall
expect_uninstalled
expect_no_value "$desktop" SCRNSAVE.EXE
expect_no_value "$desktop" ScreenSaveActive

scenario "leaves alone a screen saver the user chose after installing"
set_value "$desktop" SCRNSAVE.EXE "$other"
install
expect_value "$desktop" SCRNSAVE.EXE "$other"
install /SETACTIVE=1
expect_value "$desktop" SCRNSAVE.EXE "$installed"
set_value "$desktop" SCRNSAVE.EXE 'C:\windows\system32\mine.scr'
uninstall
expect_uninstalled
expect_value "$desktop" SCRNSAVE.EXE 'C:\windows\system32\mine.scr'
expect_value "$desktop" ScreenSaveActive 1

scenario "a reinstall that replaces a later choice gives back that choice"
set_value "$desktop" SCRNSAVE.EXE "$other"
install /SETACTIVE=1
set_value "$desktop" SCRNSAVE.EXE 'C:\windows\system32\mine.scr'
install /SETACTIVE=1
expect_value "$desktop" SCRNSAVE.EXE "$installed"
# ... or by its short name.
short=$(short_name)
check "the installed file has a short name (is '$short')" [ -n "$short" ]
set_value "$desktop" SCRNSAVE.EXE "C:\\WINDOWS\\$(upper "$sysdir")\\$short"
uninstall
expect_uninstalled
expect_value "$desktop" SCRNSAVE.EXE 'C:\windows\system32\mine.scr'

scenario "refuses an unknown switch value and installs nothing"
wine "$setup" /S /SETACTIVE=maybe
status=$?
check "installer /S /SETACTIVE=maybe fails (exited $status)" [ $status -ne 0 ]
check "nothing installed" [ ! -e "$installed_unix" ]
expect_no_key "$uninstall_key"

printf '\n%d passed, %d failed\n' $((checks - failures)) "$failures"
[ "$failures" -eq 0 ]
