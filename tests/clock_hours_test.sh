#!/bin/sh
# Runs the tests that look at the clock's drawing with the clock of a whole Wine session
# started at other hours: the texts' first characters move their ink (the "1" of 10:00 to
# 19:59 starts further in than the "0" or "2"), and a test that held only at some hours
# would fail at others. Two start times, one with an hour from 10 to 19, the other not; each
# is the next time the clock shows it, so the day and the weekday differ from run to run.
# Usage: clock_hours_test.sh <folder of the 64-bit build>
# The clock is set with libfaketime for every process of the session, the Wine server
# included (so each run has a prefix copy and a server of its own). It reaches 64-bit
# processes only: the 32-bit Wine reads the clock through glibc's 64-bit-time entry points,
# which Debian's libfaketime does not replace, so the run is the 64-bit twin's. Wine's waits
# and timers need the monotonic clock untouched, and its check of the prefix's age the
# files' real times.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$1
faketime_lib=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1
[ -e "$faketime_lib" ] || { echo "no $faketime_lib (Debian's libfaketime)" >&2; exit 1; }

. "$root/tests/prefix_copy.sh"
use_prefix_copy clock-hours
export ZELVANE_WINE_PATH=win64

# What draws the clock's texts and where; the tests of the clock's timing set it themselves.
e2e='SaverRun.ShowsTheDate*:SaverMotion.Moves*:Preview.DrawsAYellowRing*:Dpi.SaverText*'
win='ClockWindow.*:ClockFace.*:-*WhateverTheClockIsSetTo'
failures=0
for start in 03:56:12 15:56:12; do
    now=$(date +%s)
    at=$(date -d "today $start" +%s)
    [ "$at" -gt "$now" ] || at=$(date -d "tomorrow $start" +%s)
    printf '\n--- the clock started at %s\n' "$(date -d "@$at" '+%A %F %T')"
    at_start() {
        NO_FAKE_STAT=1 DONT_FAKE_MONOTONIC=1 FAKETIME="+$((at - now))s" LD_PRELOAD=$faketime_lib "$root/tools/wine-run" "$@"
    }
    # The session's clock is the one set, or the tests below prove nothing: Windows' own
    # short date and time (US English), to the hour. The first program of a new session on
    # a busy machine is sometimes not started at all ("ShellExecuteEx failed"): asked again,
    # up to three times; no asking again makes a wrong clock read right.
    meant=$(LC_ALL=C date -d "@$at" '+%-m/%-d/%Y %-I:[0-9]* %p')
    for _ in 1 2 3; do
        seen=$(LC_ALL=C at_start cmd /c 'echo %DATE% %TIME%' | tr -d '\r')
        echo "$seen" | grep -qx "$meant" && break
    done
    if ! echo "$seen" | grep -qx "$meant"; then
        echo "the clock did not reach Wine: it reads \"$seen\", not $meant" >&2
        failures=$((failures + 1))
    fi
    at_start "$bin/e2e_tests.exe" --gtest_filter="$e2e" || failures=$((failures + 1))
    at_start "$bin/win_tests.exe" --gtest_filter="$win" || failures=$((failures + 1))
    # The next start needs a server of its own, started on its clock.
    wineserver -k >/dev/null 2>&1
    wineserver -w >/dev/null 2>&1
done
exit $failures
