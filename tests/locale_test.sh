#!/bin/sh
# Runs the date and About tests of the Win32 suite with the formats locale and the ANSI
# code page set from outside, as a user's system has them: Russian, Polish and Greek
# formats on a Western (1252) system, and a Simplified Chinese (936) system.
# Usage: locale_test.sh <win_tests.exe>
# Wine takes the formats locale from LC_MESSAGES and the code page from LANG (it rewrites
# the user's Control Panel\International values from them at every start), so the glibc
# locales are compiled once into build/locales. Works on a copy of $WINEPREFIX: Wine
# writes the locale it was given into the prefix's registry.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
tests=$1
locales=$root/build/locales
mkdir -p "$locales"
for name in en_US ru_RU pl_PL el_GR zh_CN; do
    [ -d "$locales/$name.UTF-8" ] || localedef -i $name -f UTF-8 "$locales/$name.UTF-8" >/dev/null 2>&1
    [ -d "$locales/$name.UTF-8" ] || { echo "cannot make the locale $name.UTF-8" >&2; exit 1; }
done
export LOCPATH=$locales

. "$root/tests/prefix_copy.sh"
use_prefix_copy locale-test

failures=0
# run <LANG> <LC_MESSAGES> <formats locale meant> <code page meant> <tests>
run() {
    printf '\n--- %s formats on code page %s\n' "$3" "$4"
    LANG=$1 LC_MESSAGES=$2 ZELVANE_FORMATS_LOCALE=$3 ZELVANE_ANSI_CODE_PAGE=$4 \
        "$root/tools/wine-run" "$tests" --gtest_filter="$5" || failures=$((failures + 1))
}
both='ClockWindow.TheDate*:AboutDialog.ShowsItsDashCopyrightSignAndIconWhateverTheCodePage'
run en_US.UTF-8 ru_RU.UTF-8 ru-RU 1252 "$both"
run en_US.UTF-8 pl_PL.UTF-8 pl-PL 1252 "$both"
run en_US.UTF-8 el_GR.UTF-8 el-GR 1252 "$both"
run zh_CN.UTF-8 zh_CN.UTF-8 zh-CN 936 'AboutDialog.ShowsItsDashCopyrightSignAndIconWhateverTheCodePage'
exit $failures
