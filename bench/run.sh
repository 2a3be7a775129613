#!/bin/sh
# The benchmark of the screen saver, under Wine on a private Xvfb. It prints two tables,
# each figure beside its target, and keeps them in bench/results/:
#   - average CPU as a share of one core, the median of three runs of each mode with their
#     minimum and maximum (the Wine server's and Xvfb's beside it),
#   - peak working set and resident memory at the run's middle and at its end (no growth),
#   - GDI and USER objects at the start and at the end of each run,
#   - time from process start to the first drawn frame: the median of nine starts with their
#     spread, and its ratio to the smallest program that shows yellow in the same run,
#   - the shipped 32-bit executable's size and imported DLLs,
#   - a week of ticks: the saver's Timer1_Timer 1,209,600 times (500 ms each) and the preview's
#     drawing pass 604,800 times (1 s each), each in one process as fast as they run, with the
#     clock readings supplied (bench/week_of_ticks.cpp); private bytes, GDI, USER and handles
#     sampled every tenth (target: no growth),
#   - keeping time: each mode for 10 minutes while tests/hosts/seconds_probe.cpp watches the time
#     text on the screen: every second of the local clock shown, none missed, each first drawn
#     soon after the second began (median, 95th percentile, maximum of that delay),
#   - the saver's CPU beside a conventional saver (bench/conventional_saver.cpp: one window, a
#     GetMessage loop, a 500 ms timer, the whole window repainted with a font made for each
#     paint; it shows the time without the date), run right after it in each of the three runs: the ratio of each pair (process plus
#     Wine server), and their median,
#   - calls into the system per tick (per pass for the preview): each mode and the conventional
#     saver once more for 60 s of steady running with Wine's relay log (WINEDEBUG=+relay: the
#     calls of the program's thread into Wine's DLLs, with Wine's own calls between its DLLs
#     that the log shows by default), all of them and those made by the program's own code.
# Modes: the full-screen saver "/S", and the preview "/P <handle>" drawing into the test
# display-settings dialog (tests/hosts/display_host.cpp) with its preview as a top-level popup.
#
#   bench/run.sh [-n] [SECONDS]     SECONDS per CPU run (40 by default, 20 at least); -n: keep nothing
#
# Each run is kept as bench/results/YYYY-MM-DD_HHMMSS.md (never replaced), and
# bench/results/README.md lists the latest figures and their spread over the last runs.
# CPU comes from the run time of the Linux processes' threads in /proc (GetProcessTimes under
# Wine reports far too little); memory from their VmHWM / VmRSS. Build folders can be moved with
# ZELVANE_BUILD32 / ZELVANE_BUILD64, the Wine prefix with WINEPREFIX; for trial runs,
# ZELVANE_FIRST_FRAME_RUNS, ZELVANE_WEEK_TICKS, ZELVANE_WEEK_PASSES, ZELVANE_CLOCK_SECONDS and
# ZELVANE_CALL_SECONDS shorten the work (the tables then say that the figure is not the full one).
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

save=yes
if [ "$1" = -n ]; then
    save=no
    shift
fi
seconds=${1:-40}
min_seconds=20
case $seconds in '' | *[!0-9]*) echo "usage: $0 [-n] [SECONDS]" >&2; exit 2 ;; esac
if [ "$seconds" -lt "$min_seconds" ]; then
    echo "measuring for ${min_seconds} s at least" >&2
    seconds=$min_seconds
fi
warmup=4            # start-up is left out of the CPU average
sample_every=10     # resident memory is sampled this often for the series
# "Minute 1": 60 s after the start, or about half-way through a shorter run; one of the samples.
checkpoint=60
half=$((seconds / 2 / sample_every * sample_every))
[ $half -lt $checkpoint ] && checkpoint=$half
cpu_runs=3
min_first_frame_runs=9
runs=${ZELVANE_FIRST_FRAME_RUNS:-$min_first_frame_runs}
full_week_ticks=1209600     # 7 days of 500 ms ticks
full_week_passes=604800     # 7 days of 1 s passes
week_ticks=${ZELVANE_WEEK_TICKS:-$full_week_ticks}
week_passes=${ZELVANE_WEEK_PASSES:-$full_week_passes}
full_clock_seconds=600      # the time kept, each mode
clock_seconds=${ZELVANE_CLOCK_SECONDS:-$full_clock_seconds}
full_call_seconds=60        # steady running counted in the relay log, each mode
call_seconds=${ZELVANE_CALL_SECONDS:-$full_call_seconds}

# Targets.
cpu_target_pct=1.0
peak_memory_target_kib=65536   # the saver's peak working set
first_frame_target_ms=300
first_frame_ratio_target=1.0   # to the smallest program showing yellow, measured alongside
clock_p95_target_ms=50         # a second's start to its first drawing
clock_max_target_ms=250
size_target_bytes=64000
cpu_ratio_target=0.7           # the saver's CPU (process and Wine server) to the conventional saver's
calls_ratio_target=2           # the saver's calls per tick to the conventional saver's

build32=${ZELVANE_BUILD32:-$root/build/win32}
build64=${ZELVANE_BUILD64:-$root/build/win64}
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"

# Build what is missing or stale: the shipped 32-bit file with its own probe and week of
# ticks, and the 64-bit build of the same sources with the test hosts (the probe, the
# display-settings dialog) for running under Wine.
echo "building ..." >&2
cmake -S "$root" -B "$build32" --toolchain "$root/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build32" -j2 --target ssZelvane first_frame_probe week_of_ticks conventional_saver >/dev/null
cmake -S "$root" -B "$build64" --toolchain "$root/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DZELVANE_WINE_TESTS=ON >/dev/null
cmake --build "$build64" -j2 --target ssZelvane first_frame_probe display_host saver_flag_probe week_of_ticks \
    seconds_probe conventional_saver >/dev/null
shipped="$build32/ssZelvane.scr"
scr="$build64/ssZelvane.scr"
# The floor under first frames is a probe of the measured file's own width, and the week of
# ticks runs at that width too. GDI tables are read by the 64-bit probe, which reads a
# process of either width (Wine keeps a 32-bit process's table in its 64-bit PEB).
floor_probe="$build64/first_frame_probe.exe"
week="$build64/week_of_ticks.exe"
conventional="$build64/conventional_saver.exe"
# The shipped file itself is measured wherever 32-bit code runs: natively, or where the
# kernel executes none, under qemu-i386 in tools/emulate32's namespace. Emulated CPU and
# first-frame figures are the emulator's, not comparable with native ones: there the 64-bit
# twin's are measured natively beside them, as the reference (its own run, without the week).
wine_path=$("$root/tools/wine-path")
in_namespace=
case $wine_path in
native32 | emulated32)
    scr=$shipped
    floor_probe="$build32/first_frame_probe.exe"
    week="$build32/week_of_ticks.exe"
    conventional="$build32/conventional_saver.exe"
    [ "$wine_path" = emulated32 ] && in_namespace="$root/tools/emulate32"
    ;;
esac
# An emulated start takes several seconds before the first window (5.4 s on a loaded machine):
# the warm-up covers it, so that the objects counted at the start are those of a running saver.
[ "$wine_path" = emulated32 ] && warmup=12

report=$(mktemp)
measure=$(mktemp)
trap 'rm -f "$report" "$measure"' EXIT

# The measurement runs on the private display, in the build's Wine prefix. It
# writes "name value" lines to the report; the table is made from them afterwards.
cat >"$measure" <<'MEASURE'
set -e
root=$1 scr=$2 bin=$3 seconds=$4 checkpoint=$5 warmup=$6 sample_every=$7 runs=$8 report=$9
floor_probe=${10} week=${11} week_ticks=${12} week_passes=${13} cpu_runs=${14} conventional=${15}
call_seconds=${16}
wine="$root/tools/wine-run"
probe="$bin/first_frame_probe.exe"
# The run time of all of a process's threads in nanoseconds (schedstat): utime + stime count
# whole 10 ms ticks, which a run of 36 s at a tenth of a per cent measures to within 30 %.
# Where the kernel keeps no schedstat, utime + stime in clock ticks (the fields after the
# parenthesised command name).
if [ -r "/proc/$$/schedstat" ]; then
    ticks_per_s=1000000000
    cpu_ticks() { cat /proc/"$1"/task/*/schedstat | awk '{ s += $1 } END { printf "%.0f\n", s }'; }
else
    ticks_per_s=$(getconf CLK_TCK)
    cpu_ticks() { sed 's/.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'; }
fi
echo "ticks_per_s $ticks_per_s" >>"$report"

status_kib() { awk -v f="$2:" '$1 == f { print $2 }' "/proc/$1/status"; }
now() { date +%s.%N; }
# Sleeps until `start` + `offset` seconds (both may have fractions).
sleep_until() {
    sleep "$(awk -v s="$1" -v o="$2" -v n="$(now)" 'BEGIN { d = s + o - n; if (d < 0) d = 0; printf "%.3f", d }')"
}
# Running, and not a zombie that has not been waited for yet.
alive() {
    state=$(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | cut -d' ' -f1)
    [ -n "$state" ] && [ "$state" != Z ]
}

xvfb=
for p in /proc/[0-9]*; do
    if [ "$( (tr '\0' ' ' <"$p/cmdline") 2>/dev/null | cut -d' ' -f1,2)" = "Xvfb $DISPLAY" ]; then
        xvfb=${p#/proc/}
        break
    fi
done

# The Wine server that serves the prefix works in a folder named after the prefix's device
# and inode; a server that has already ended may linger as a zombie with the same folder.
# Looked up right before each measurement, while a program keeps it alive: with no program
# left the server ends, and the next program starts another.
prefix_id="server-$(stat -c %D "$WINEPREFIX")-$(printf '%x' "$(stat -c %i "$WINEPREFIX")")"
find_server() {
    for p in /proc/[0-9]*; do
        case $(readlink "$p/cwd" 2>/dev/null) in
            */"$prefix_id")
                if [ "$(sed 's/.*) //' "$p/stat" 2>/dev/null | cut -d' ' -f1)" != Z ]; then
                    echo "${p#/proc/}"
                    return
                fi
                ;;
        esac
    done
}
# CPU ticks of a process, or nothing when there is none (or it has gone).
ticks_of() { [ -n "$1" ] && cpu_ticks "$1" 2>/dev/null || true; }
# The difference of two tick counts, or nothing when either is missing.
ticks_between() { [ -n "$1" ] && [ -n "$2" ] && echo $(($2 - $1)) || true; }
echo "status_processes xvfb=${xvfb:-none}" >>"$report"

# Whatever went wrong, nothing started here outlives the measurement.
started_pids=
end_started() {
    for p in $started_pids; do
        # Only a child of this shell: a pid reaped already may have been given to another process.
        if [ "$(sed 's/.*) //' "/proc/$p/stat" 2>/dev/null | cut -d' ' -f2)" = $$ ]; then
            kill "$p" 2>/dev/null || true
        fi
    done
}
trap end_started EXIT

# Probe output ("name value ...") goes to the report under the mode's name.
record() { sed "s/^/$1./" >>"$report"; }

# First frames: the probe starts the saver itself, several times, and times each start.
# The floor under each start is the smallest program of the measured file's own width: Wine
# starts a 32-bit program more slowly than a 64-bit one.
"$wine" "$probe" saver "Z:$scr" "$runs" "Z:$floor_probe" | record saver.frame
"$wine" "$probe" preview "Z:$scr" "$runs" "Z:$floor_probe" | record preview.frame

# The Wine server and Xvfb beside an idle Win32 program (a one-pixel window waiting for
# messages), as long as a run and in each round, so that it meets the same load as the pair
# after it: the floor under their figures. $1 names the round.
idle_soak() {
    "$wine" "$probe" plain-window 0 0 1 1 &
    idle=$!
    started_pids="$started_pids $idle"
    started=$(now)
    sleep_until "$started" "$warmup"
    server=$(find_server)
    t0=$(now) w0=$(ticks_of "$server") x0=$(ticks_of "$xvfb")
    sleep_until "$started" "$seconds"
    t1=$(now) w1=$(ticks_of "$server") x1=$(ticks_of "$xvfb")
    kill "$idle" 2>/dev/null || true
    wait "$idle" 2>/dev/null || true
    {
        echo "$1.measured_s $(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f", b - a }')"
        echo "$1.server_ticks $(ticks_between "$w0" "$w1")"
        echo "$1.xvfb_ticks $(ticks_between "$x0" "$x1")"
        echo "$1.server_pid ${server:-none}"
    } >>"$report"
}

# One mode at rest: CPU from the warm-up's end to the end, memory sampled all along,
# objects at the start and at the end. $1 mode, $2 the saver's process, $3 its start, $4 its
# executable's name (ssZelvane.scr when not given).
soak() {
    mode=$1 pid=$2 started=$3 exe=${4:-ssZelvane.scr}
    sleep_until "$started" "$warmup"
    if ! alive "$pid"; then
        echo "$mode.error the saver did not keep running" >>"$report"
        return
    fi
    "$wine" "$probe" objects "$exe" | record "$mode.start"
    server=$(find_server)
    t0=$(now) s0=$(cpu_ticks "$pid") w0=$(ticks_of "$server") x0=$(ticks_of "$xvfb")
    at=$sample_every
    while [ "$at" -lt "$seconds" ]; do
        sleep_until "$started" "$at"
        alive "$pid" || break
        echo "$mode.series $at $(status_kib "$pid" VmRSS) $(status_kib "$pid" RssAnon) $(status_kib "$pid" VmHWM)" \
            >>"$report"
        if [ "$at" -eq "$checkpoint" ]; then
            echo "$mode.cp_rss $(status_kib "$pid" VmRSS)" >>"$report"
            echo "$mode.cp_anon $(status_kib "$pid" RssAnon)" >>"$report"
            echo "$mode.cp_hwm $(status_kib "$pid" VmHWM)" >>"$report"
        fi
        at=$((at + sample_every))
    done
    sleep_until "$started" "$seconds"
    if ! alive "$pid"; then
        echo "$mode.error the saver ended before the time was up" >>"$report"
        return
    fi
    t1=$(now) s1=$(cpu_ticks "$pid") w1=$(ticks_of "$server") x1=$(ticks_of "$xvfb")
    {
        echo "$mode.end_rss $(status_kib "$pid" VmRSS)"
        echo "$mode.end_anon $(status_kib "$pid" RssAnon)"
        echo "$mode.end_hwm $(status_kib "$pid" VmHWM)"
        echo "$mode.measured_s $(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f", b - a }')"
        echo "$mode.saver_ticks $((s1 - s0))"
        echo "$mode.server_ticks $(ticks_between "$w0" "$w1")"
        echo "$mode.xvfb_ticks $(ticks_between "$x0" "$x1")"
        echo "$mode.server_pid ${server:-none}"
    } >>"$report"
    "$wine" "$probe" objects "$exe" | record "$mode.end"
}

# Ends a process that did not end by itself.
reap() {
    for _ in $(seq 50); do
        alive "$1" || break
        sleep 0.1
    done
    if alive "$1"; then
        kill "$1" 2>/dev/null || true
        wait "$1" 2>/dev/null || true
        return 1
    fi
    wait "$1" 2>/dev/null || true
}

# Starts the test display-settings dialog for a preview: $host is its process, $handle its
# preview window, or empty when it did not come up.
start_host() {
    "$wine" "$bin/display_host.exe" --popup &
    host=$!
    started_pids="$started_pids $host"
    for _ in $(seq 30); do
        handle=$("$wine" "$probe" preview-handle 2>/dev/null) && return
        handle=
        sleep 0.5
    done
}

# Each mode three times, in turn, with the conventional saver right after the saver so that
# the pair meets the same load; the CPU figures are their medians.
for run in $(seq "$cpu_runs"); do
    idle_soak "idle$run"
    # Saver and conventional saver: ended at last as a user would, with a key.
    for mode in saver conventional; do
        exe=$scr
        [ $mode = conventional ] && exe=$conventional
        started=$(now)
        "$wine" "$exe" /S &
        saver=$!
        started_pids="$started_pids $saver"
        soak "$mode$run" "$saver" "$started" "$(basename "$exe")"
        xdotool key space 2>/dev/null || true
        reap "$saver" && echo "$mode$run.ended yes" >>"$report" || echo "$mode$run.ended no" >>"$report"
    done

    # Preview: the test dialog first; the preview ends by itself when the dialog closes.
    start_host
    if [ -z "$handle" ]; then
        echo "preview$run.error the test display-settings dialog did not come up" >>"$report"
    else
        started=$(now)
        "$wine" "$scr" /P "$handle" &
        preview=$!
        started_pids="$started_pids $preview"
        soak "preview$run" "$preview" "$started"
        "$wine" "$probe" close-host || true
        reap "$preview" && echo "preview$run.ended yes" >>"$report" || echo "preview$run.ended no" >>"$report"
    fi
    reap "$host" || true
done

# Calls into the system: each mode once more with Wine's relay log and time stamps, counted
# over call_seconds of steady running after a warm-up (the log slows the start), on the
# thread that makes the most calls: all of them, and those whose return address lies in the
# program's own image. Recorded as "MODE.calls PER_TICK FROM_THE_PROGRAM_PER_TICK SECONDS".
call_warmup=$((warmup < 10 ? 10 : warmup))
relay_log=$(mktemp)
hex_awk='function hex(s,  i, n) { n = 0; s = tolower(s); for (i = 1; i <= length(s); i++) n = n * 16 + index("0123456789abcdef", substr(s, i, 1)) - 1; return n }'
image_range() {
    x86_64-w64-mingw32-objdump -p "$1" |
        awk "$hex_awk"' $1 == "ImageBase" { b = hex($2) } $1 == "SizeOfImage" { z = hex($2) } END { printf "%.0f %.0f\n", b, b + z }'
}
# Starts $3 with the arguments after it as mode $1, a tick or pass every $2 seconds, and
# returns when the counted time is over; the caller ends it.
start_counted() {
    mode=$1 period=$2 exe=$3
    shift 3
    started=$(now)
    ZELVANE_WINEDEBUG=+timestamp,+relay "$wine" "$exe" "$@" 2>"$relay_log" >/dev/null &
    counted=$!
    started_pids="$started_pids $counted"
    sleep_until "$started" $((call_warmup + call_seconds + 1))
    alive "$counted" || echo "$mode.error the run with the relay log ended early" >>"$report"
}
count_calls() {
    set -- $(image_range "$exe")
    awk -v warmup="$call_warmup" -v span="$call_seconds" -v period="$period" -v lo="$1" -v hi="$2" "$hex_awk"'
        /^[0-9.]+:[0-9a-f]+:Call / {
            split($0, f, ":")
            t = f[1] + 0
            if (start == "") start = t
            if (t < start + warmup || t >= start + warmup + span) next
            calls[f[2]]++
            if (match($0, / ret=[0-9a-fA-F]+$/)) { r = hex(substr($0, RSTART + 5)); if (r >= lo && r < hi) own[f[2]]++ }
        }
        END {
            for (k in calls) if (best == "" || calls[k] > calls[best]) best = k
            if (best != "") printf "calls %.1f %.1f %d\n", calls[best] * period / span, own[best] * period / span, span
        }' "$relay_log" | record "$mode"
}
for mode in saver conventional; do
    start_counted $mode 0.5 "$([ $mode = saver ] && echo "$scr" || echo "$conventional")" /S
    xdotool key space 2>/dev/null || true
    reap "$counted" || true
    count_calls
done
start_host
if [ -z "$handle" ]; then
    echo "preview.error the test display-settings dialog did not come up for the relay log" >>"$report"
else
    start_counted preview 1 "$scr" /P "$handle"
    "$wine" "$probe" close-host || true
    reap "$counted" || true
    count_calls
fi
reap "$host" || true
rm -f "$relay_log"

# Keeping time: each mode alone while the probe watches its time text.
"$wine" "$bin/seconds_probe.exe" saver "Z:$scr" "$clock_seconds" | record saver.clock
"$wine" "$bin/seconds_probe.exe" preview "Z:$scr" "$clock_seconds" | record preview.clock

# The week of ticks, one mode after the other: both at once would share the one Wine
# server, and each would wait for the other's round trips.
if [ "$week_ticks" -gt 0 ]; then
    "$wine" "$week" preview "$week_passes" | record week_preview
    "$wine" "$week" saver "$week_ticks" | record week_saver
fi
MEASURE

load_before=$(cut -d' ' -f1 /proc/loadavg)
echo "measuring: $runs starts per mode, $cpu_runs runs of ${seconds} s per mode, then $week_ticks ticks" \
    "and $week_passes preview passes (a week: about 20 to 30 minutes in all), and ${clock_seconds} s of" \
    "keeping time per mode ..." >&2
started_at=$(date +%s)
clock_seconds=$clock_seconds ZELVANE_WINE_PATH=$wine_path $in_namespace "$root/tools/with-display" sh "$measure" "$root" "$scr" "$build64" \
    "$seconds" "$checkpoint" "$warmup" "$sample_every" "$runs" "$report" "$floor_probe" "$week" \
    "$week_ticks" "$week_passes" "$cpu_runs" "$conventional" "$call_seconds" </dev/null
# The native reference beside emulated figures: the 64-bit twin, first frames and CPU only.
reference=
if [ "$wine_path" = emulated32 ]; then
    reference=$(mktemp)
    echo "measuring the 64-bit twin natively, as the reference beside the emulated figures ..." >&2
    ZELVANE_WINE_PATH=win64 "$root/tools/with-display" sh "$measure" "$root" "$build64/ssZelvane.scr" "$build64" \
        "$seconds" "$checkpoint" "$warmup" "$sample_every" "$runs" "$reference" \
        "$build64/first_frame_probe.exe" "$build64/week_of_ticks.exe" 0 0 "$cpu_runs" "$build64/conventional_saver.exe" \
        "$call_seconds" </dev/null
fi
elapsed_min=$((($(date +%s) - started_at + 59) / 60))
load_after=$(cut -d' ' -f1 /proc/loadavg)

table=$(mktemp)
trap 'rm -f "$report" "$measure" "$table" "$reference"' EXIT

size_bytes=$(stat -c %s "$shipped")
make_table() {
awk -v cpu_target="$cpu_target_pct" -v frame_target="$first_frame_target_ms" -v peak_target="$peak_memory_target_kib" \
    -v ratio_target="$first_frame_ratio_target" -v size_target="$size_target_bytes" -v size_bytes="$size_bytes" \
    -v seconds="$seconds" -v checkpoint="$checkpoint" -v warmup="$warmup" -v runs="$runs" -v min_runs="$min_first_frame_runs" \
    -v cpu_runs="$cpu_runs" -v full_ticks="$full_week_ticks" -v full_passes="$full_week_passes" \
    -v clock_seconds="$clock_seconds" -v full_clock_seconds="$full_clock_seconds" -v clock_p95_target="$clock_p95_target_ms" \
    -v clock_max_target="$clock_max_target_ms" -v cpu_ratio_target="$cpu_ratio_target" \
    -v calls_ratio_target="$calls_ratio_target" -v call_seconds="$call_seconds" -v full_call_seconds="$full_call_seconds" '
function has(k) { return (k in v) && v[k] != "" && v[k] != "n/a" }
function num(k) { return has(k) ? v[k] + 0 : 0 }
# A figure that was not measured is never reported as met.
function met(measured, ok) { return !measured ? "not measured" : ok ? "yes" : "**NO**" }
function mib(kib) { return sprintf("%.1f MiB", kib / 1024) }
function signed(d) { return sprintf("%+d", d) }
function pct(mode, what) {
    if (num(mode ".measured_s") <= 0 || num("ticks_per_s") <= 0 || !has(mode "." what "_ticks")) return -1
    return num(mode "." what "_ticks") / num("ticks_per_s") / num(mode ".measured_s") * 100
}
function show_pct(p) { return p < 0 ? "n/a" : sprintf("%.3f %%", p) }
function cell(k) { return has(k) ? v[k] : "n/a" }
# Sorts a[1..n] in place (n is small).
function sort_n(a, n,    i, j, t) {
    for (i = 2; i <= n; i++) for (j = i; j > 1 && a[j - 1] > a[j]; j--) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t }
}
function median_of(a, n) { return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2 }
# CPU of mode over its runs: "median (min to max)"; sets cpu_median[mode] (-1 when none measured).
function cpu_summary(mode, what,    r, n, a, p) {
    n = 0
    for (r = 1; r <= cpu_runs; r++) { p = pct(mode r, what); if (p >= 0) a[++n] = p }
    if (what == "saver") cpu_count[mode] = n
    if (n == 0) { if (what == "saver") cpu_median[mode] = -1; return "n/a" }
    sort_n(a, n)
    if (what == "saver") cpu_median[mode] = median_of(a, n)
    return sprintf("%.3f %% (%.3f to %.3f, %d runs)", median_of(a, n), a[1], a[n], n)
}
# "start → end" of each run; all_measured / all_flat say whether every run had both and none grew.
function changes(mode, k,    r, out, s, e) {
    out = ""; all_measured = 1; all_flat = 1
    for (r = 1; r <= cpu_runs; r++) {
        s = mode r ".start." k; e = mode r ".end." k
        if (has(s) && has(e)) { out = out (out == "" ? "" : ", ") v[s] " → " v[e]; if (v[e] + 0 > v[s] + 0) all_flat = 0 }
        else { out = out (out == "" ? "" : ", ") "n/a"; all_measured = 0 }
    }
    return out
}
function memory_growth(mode,    r, out, ok) {
    out = ""; mem_measured = 1; mem_flat = 1
    for (r = 1; r <= cpu_runs; r++) {
        if (!has(mode r ".cp_rss") || !has(mode r ".end_rss")) { out = out (out == "" ? "" : "; ") "n/a"; mem_measured = 0; continue }
        out = out (out == "" ? "" : "; ") signed(num(mode r ".end_rss") - num(mode r ".cp_rss")) " (" \
            signed(num(mode r ".end_anon") - num(mode r ".cp_anon")) "), " signed(num(mode r ".end_hwm") - num(mode r ".cp_hwm"))
        if (num(mode r ".end_rss") > num(mode r ".cp_rss") || num(mode r ".end_hwm") > num(mode r ".cp_hwm")) mem_flat = 0
    }
    return out " KiB"
}
function peak(mode,    r, m) { m = -1; for (r = 1; r <= cpu_runs; r++) if (has(mode r ".end_hwm") && num(mode r ".end_hwm") > m) m = num(mode r ".end_hwm"); return m }
function series_stats(k,    n, a, i) {
    if (!has(k)) { stat_n = 0; return "n/a" }
    n = split(v[k], a, " ")
    for (i = 1; i <= n; i++) a[i] += 0
    sort_n(a, n)
    stat_n = n; stat_median = median_of(a, n)
    return sprintf("%.0f ms (%.0f to %.0f, %d starts)", stat_median, a[1], a[n], n)
}
function ratio_text(m) {
    return (ratio[m] < 0 ? "n/a" : sprintf("%.2f×", ratio[m])) (medians_ratio[m] < 0 ? "" : sprintf(" (%.2f×)", medians_ratio[m]))
}
function row(figure, saver, preview, target, met_text) {
    printf "| %s | %s | %s | %s | %s |\n", figure, saver, preview, target, met_text
}
{
    sub(/\r$/, "")    # the probes write Windows line ends
    key = $1
    $1 = ""
    sub(/^ /, "")
    if (key ~ /\.sample$/) {
        # PERCENT CALLS PRIVATE KIND GDI KIND USER KIND HANDLES KIND SECONDS
        m = key; sub(/\.sample$/, "", m)
        split($0, f, " ")
        samples[m] = samples[m] " " f[1]
        for (i = 1; i <= 11; i++) sample[m, f[1], i] = f[i]
        if (!(m in first)) first[m] = f[1]
        last[m] = f[1]
        next
    }
    if (key ~ /\.series$/) { series[key] = series[key] (series[key] == "" ? "" : "; ") $0; next }
    v[key] = $0
}
END {
    split("saver preview", modes, " ")
    for (i = 1; i <= 2; i++) {
        m = modes[i]
        cpu_text[m] = cpu_summary(m, "saver")
        server_text[m] = cpu_summary(m, "server")
        xvfb_text[m] = cpu_summary(m, "xvfb")
    }
    print "| Figure | Saver \"/S\" | Preview \"/P\" | Target | Met (/S, /P) |"
    print "| --- | --- | --- | --- | --- |"
    row("Average CPU of the saver process, share of one core (" warmup " s to " seconds " s): median of " cpu_runs " runs (min to max)",
        cpu_text["saver"], cpu_text["preview"], "< " cpu_target " %",
        met(cpu_median["saver"] >= 0 && cpu_count["saver"] == cpu_runs, cpu_median["saver"] < cpu_target) ", " \
        met(cpu_median["preview"] >= 0 && cpu_count["preview"] == cpu_runs, cpu_median["preview"] < cpu_target))
    row("Wine server CPU beside it, share of one core", server_text["saver"], server_text["preview"], "(for reference)", "")
    row("Xvfb CPU beside it (drawing on the X server)", xvfb_text["saver"], xvfb_text["preview"], "(for reference)", "")
    row("  the same two beside an idle Win32 program instead, as long, before each pair: Wine server; Xvfb",
        cpu_summary("idle", "server") "; " cpu_summary("idle", "xvfb"), "(the same baseline)", "(for reference)", "")
    # The saver beside the conventional one run right after it: process and Wine server, each pair.
    n = 0; pairs = ""
    for (r = 1; r <= cpu_runs; r++) {
        a = pct("saver" r, "saver"); b = pct("saver" r, "server"); c = pct("conventional" r, "saver"); d = pct("conventional" r, "server")
        if (a < 0 || b < 0 || c < 0 || d < 0 || c + d <= 0) continue
        ratios[++n] = (a + b) / (c + d)
        pairs = pairs (pairs == "" ? "" : ", ") sprintf("%.2f", ratios[n])
    }
    sort_n(ratios, n)
    cpu_ratio = n ? median_of(ratios, n) : -1
    row("Conventional saver (one window, GetMessage, 500 ms timer, whole window repainted with a font made each paint; the time without the date), run right after each saver run: its process; the Wine server beside it",
        cpu_summary("conventional", "saver") "; " cpu_summary("conventional", "server"), "", "(for reference)", "")
    row("  the saver\047s CPU to the conventional saver\047s, process plus Wine server: median of the " cpu_runs " paired runs (each pair)",
        n ? sprintf("%.2f× (%s)", cpu_ratio, pairs) : "n/a", "", "≤ " cpu_ratio_target "×", met(n == cpu_runs, cpu_ratio <= cpu_ratio_target))
    # The same pairs seen two other ways: the processes alone, and with what the server does
    # for the program: its CPU beyond the idle baseline measured just before the pair.
    n = 0; m2 = 0; beyond_pairs = ""
    for (r = 1; r <= cpu_runs; r++) {
        a = pct("saver" r, "saver"); b = pct("saver" r, "server"); c = pct("conventional" r, "saver"); d = pct("conventional" r, "server")
        e = pct("idle" r, "server")
        if (a < 0 || c <= 0) continue
        alone[++n] = a / c
        if (b < 0 || d < 0 || e < 0) continue
        # The server: only what it spent beyond its floor, none when less than beside the idle program.
        b = b > e ? b - e : 0; d = d > e ? d - e : 0
        beyond[++m2] = (a + b) / (c + d)
        beyond_pairs = beyond_pairs (beyond_pairs == "" ? "" : ", ") sprintf("%.2f", beyond[m2])
    }
    sort_n(alone, n); sort_n(beyond, m2)
    beyond_ratio = m2 ? median_of(beyond, m2) : -1
    row("  the same pairs, the processes alone: median",
        n ? sprintf("%.2f×", median_of(alone, n)) : "n/a", "", "(for reference)", "")
    row("  the same pairs, process plus the Wine server\047s CPU beyond its idle baseline of the same round (what it does for the program): median (each pair)",
        m2 ? sprintf("%.2f× (%s)", beyond_ratio, beyond_pairs) : "n/a", "", "≤ " cpu_ratio_target "×",
        met(m2 == cpu_runs, beyond_ratio <= cpu_ratio_target))
    # Calls into the system per tick or pass, from the relay log.
    for (i = 1; i <= 3; i++) {
        m = i == 3 ? "conventional" : modes[i]
        calls_n[m] = split(has(m ".calls") ? v[m ".calls"] : "", cf, " ")
        calls_all[m] = cf[1] + 0; calls_own[m] = cf[2] + 0; calls_span[m] = cf[3] + 0
        calls_text[m] = calls_n[m] >= 3 ? sprintf("%.1f (%.1f from its own code)", calls_all[m], calls_own[m]) : "n/a"
    }
    calls_full = calls_span["saver"] >= full_call_seconds && calls_span["conventional"] >= full_call_seconds
    row("Calls into the system per tick (saver, 500 ms) and per pass (preview, 1 s) over " call_seconds " s of steady running" \
        (call_seconds < full_call_seconds ? " (**not the full " full_call_seconds " s**)" : "") \
        ": the program\047s thread in Wine\047s relay log (its calls and Wine\047s own between DLLs that the log shows)",
        calls_text["saver"], calls_text["preview"] " per pass",
        "saver ≤ " calls_ratio_target "× the conventional saver\047s: " calls_text["conventional"],
        met(calls_full && calls_n["saver"] >= 3 && calls_n["conventional"] >= 3,
            calls_all["saver"] <= calls_ratio_target * calls_all["conventional"]))
    for (i = 1; i <= 2; i++) {
        c = modes[i] ".clock."
        clock_ok[i] = has(c "seconds_watched") && num(c "seconds_watched") > 0
        clock_shown[i] = clock_ok[i] ? sprintf("%d of %d shown, %d missed (%d drawn twice)", num(c "seconds_shown"),
            num(c "seconds_watched"), num(c "seconds_missed"), num(c "seconds_drawn_twice")) : "n/a"
        clock_delay[i] = clock_ok[i] ? sprintf("%d, %d, %d ms", num(c "delay_median_ms"), num(c "delay_p95_ms"),
            num(c "delay_max_ms")) : "n/a"
        clock_full[i] = clock_ok[i] && num(c "seconds_watched") >= full_clock_seconds - 2
    }
    row("Keeping time over " clock_seconds " s" (clock_seconds < full_clock_seconds ? " (**not the full " full_clock_seconds " s**)" : "") \
        ": seconds of the local clock whose time text was drawn", clock_shown[1], clock_shown[2], "none missed",
        met(clock_full[1], num("saver.clock.seconds_missed") == 0) ", " met(clock_full[2], num("preview.clock.seconds_missed") == 0))
    row("  from the start of a second to its first drawing on the screen: median, 95th percentile, maximum", clock_delay[1],
        clock_delay[2], "< " clock_p95_target " ms at the 95th, < " clock_max_target " ms at most",
        met(clock_full[1], num("saver.clock.delay_p95_ms") < clock_p95_target && num("saver.clock.delay_max_ms") < clock_max_target) ", " \
        met(clock_full[2], num("preview.clock.delay_p95_ms") < clock_p95_target && num("preview.clock.delay_max_ms") < clock_max_target))
    row("Peak working set (VmHWM) at the end, highest of the runs",
        peak("saver") < 0 ? "n/a" : mib(peak("saver")), peak("preview") < 0 ? "n/a" : mib(peak("preview")),
        "< " peak_target / 1024 " MiB", met(peak("saver") >= 0, peak("saver") < peak_target) ", " \
        met(peak("preview") >= 0, peak("preview") < peak_target))
    gs = memory_growth("saver"); ms = mem_measured; fs = mem_flat
    gp = memory_growth("preview"); mp = mem_measured; fp = mem_flat
    row("Growth from " checkpoint " s to the end, each run: VmRSS (anonymous part), VmHWM", gs, gp, "0 (none)",
        met(ms, fs) ", " met(mp, fp))
    row("GDI objects (GetGuiResources)", "not available under Wine (answers " cell("saver1.start.gui_resources_gdi") ")",
        "not available under Wine (answers " cell("preview1.start.gui_resources_gdi") ")", "no growth", "")
    cs = changes("saver", "gdi_table_objects"); ms = all_measured; fs = all_flat
    cp = changes("preview", "gdi_table_objects"); mp = all_measured; fp = all_flat
    row("GDI objects, start → end of each run (live entries of its GDI handle table, read from outside by the 64-bit probe)",
        cs, cp, "no growth", met(ms, fs) ", " met(mp, fp))
    row("USER objects (GetGuiResources)", "not available under Wine (answers " cell("saver1.start.gui_resources_user") ")",
        "not available under Wine (answers " cell("preview1.start.gui_resources_user") ")", "no growth", "")
    cs = changes("saver", "windows"); ms = all_measured; fs = all_flat
    cp = changes("preview", "windows"); mp = all_measured; fp = all_flat
    row("Windows of the process, start → end of each run (the USER objects that can be counted)", cs, cp, "no growth",
        met(ms, fs) ", " met(mp, fp))
    for (i = 1; i <= 2; i++) {
        m = modes[i]
        frame_text[m] = series_stats(m ".frame.first_frame_ms"); frame_n[m] = stat_n; frame_med[m] = stat_median
        # The floor does the job of the mode the least way: a popup of its own for the saver; for
        # the preview, drawing into the preview window of the dialog (a popup when not measured).
        floor_key[m] = m == "preview" && has(m ".frame.plain_preview_ms") ? m ".frame.plain_preview_ms" : m ".frame.plain_window_ms"
        plain_text[m] = series_stats(floor_key[m]); plain_n[m] = stat_n; plain_med[m] = stat_median
        medians_ratio[m] = frame_n[m] && plain_n[m] && plain_med[m] > 0 ? frame_med[m] / plain_med[m] : -1
        # Each start to the start of the floor right after it, which met the same load: the median
        # of these pairs counts; the ratio of the two medians is shown beside it.
        ratio_key = floor_key[m]; sub(/_ms$/, "_ratio", ratio_key)
        series_stats(ratio_key)
        ratio[m] = stat_n ? stat_median : -1
        frame_ok[m] = frame_n[m] >= min_runs
    }
    row("First frame: process start to the first yellow pixel, median (min to max)", frame_text["saver"], frame_text["preview"],
        "< " frame_target " ms, " min_runs " starts at least",
        met(frame_ok["saver"], frame_med["saver"] < frame_target) ", " met(frame_ok["preview"], frame_med["preview"] < frame_target))
    row("  its ratio to the smallest Win32 program showing yellow there, timed right after each start: median of the pairs (median to median)",
        ratio_text("saver"), ratio_text("preview"),
        "≤ " ratio_target "×", met(frame_ok["saver"] && ratio["saver"] >= 0, ratio["saver"] <= ratio_target) ", " \
        met(frame_ok["preview"] && ratio["preview"] >= 0, ratio["preview"] <= ratio_target))
    row("  the smallest Win32 program of the same width showing yellow there the same way (the floor Wine sets; the saver: a popup, the preview: drawn into the dialog\047s preview window), median (min to max)",
        plain_text["saver"], plain_text["preview"], "(for reference)", "")
    if (floor_key["preview"] != "preview.frame.plain_window_ms")
        row("  a popup of its own over the preview instead (Wine shows it sooner than drawing into another program\047s window), median (min to max)",
            "", series_stats("preview.frame.plain_window_ms"), "(for reference)", "")
    row("  of which: process start to its first visible window, median",
        has("saver.frame.window_median_ms") ? sprintf("%.0f ms", num("saver.frame.window_median_ms")) : "n/a",
        "(draws into the dialog: no window)", "(for reference)", "")
    row("  Wine alone: start and end of a bare Win32 program of the same width, median",
        has("saver.frame.bare_process_median_ms") ? sprintf("%.0f ms", num("saver.frame.bare_process_median_ms")) : "n/a",
        has("preview.frame.bare_process_median_ms") ? sprintf("%.0f ms", num("preview.frame.bare_process_median_ms")) : "n/a",
        "(for reference)", "")
    row("  one poll of the probe (copy and scan of the watched area)",
        has("saver.frame.scan_median_ms") ? sprintf("%.1f ms", num("saver.frame.scan_median_ms")) : "n/a",
        has("preview.frame.scan_median_ms") ? sprintf("%.1f ms", num("preview.frame.scan_median_ms")) : "n/a", "(resolution)", "")
    row("Shipped executable (32-bit) size", sprintf("%d bytes", size_bytes), "(the same file)", "≤ " size_target " bytes",
        met(size_bytes > 0, size_bytes <= size_target))

    # The week of ticks.
    print ""
    print "A week of ticks, each mode in one process: samples after the first call and after every tenth"
    print "(private KiB; GDI objects, or headroom where the count is not available: it falls as objects stay"
    print "alive; USER objects, or the windows of the process; handles):"
    print ""
    print "| Share of the week | Saver: ticks | private KiB | GDI | USER | handles | Preview: passes | private KiB | GDI | USER | handles |"
    print "| --- | --- | --- | --- | --- | --- | --- | --- | --- | --- | --- |"
    n = split(samples["week_saver"] != "" ? samples["week_saver"] : samples["week_preview"], pcts, " ")
    for (j = 1; j <= n; j++) {
        p = pcts[j]
        line = "| " p " %"
        for (i = 1; i <= 2; i++) {
            m = "week_" modes[i]
            if ((m, p, 2) in sample)
                line = line sprintf(" | %s | %d | %s %s | %s %s | %s", sample[m, p, 2], sample[m, p, 3] / 1024, sample[m, p, 5],
                                    sample[m, p, 6], sample[m, p, 7], sample[m, p, 8], sample[m, p, 9])
            else line = line " | n/a | n/a | n/a | n/a | n/a"
        }
        print line " |"
    }
    week_row = "| Growth, first sample to last"
    week_met = ""
    for (i = 1; i <= 2; i++) {
        m = "week_" modes[i]
        full = modes[i] == "saver" ? full_ticks : full_passes
        if (!(m in first) || !((m, last[m], 2) in sample)) { week_row = week_row " | n/a | n/a | n/a | n/a | n/a"; verdict[i] = "not measured"; continue }
        a = first[m]; b = last[m]
        dp = sample[m, b, 3] - sample[m, a, 3]
        # Headroom falls as objects stay alive; a count rises.
        dg = sample[m, b, 6] == "headroom" ? sample[m, a, 5] - sample[m, b, 5] : sample[m, b, 5] - sample[m, a, 5]
        du = sample[m, b, 7] - sample[m, a, 7]
        dh = sample[m, b, 9] - sample[m, a, 9]
        week_row = week_row sprintf(" | %s | %+d KiB | %+d objects | %+d | %+d", sample[m, b, 2] + 0 == full ? "a full week" : "**" sample[m, b, 2] " only**",
                                    dp / 1024, dg, du, dh)
        verdict[i] = met(sample[m, b, 2] + 0 == full, dp <= 0 && dg <= 0 && du <= 0 && dh <= 0)
    }
    print week_row " |"
    print ""
    printf "| Week | Saver | Preview | Target | Met (/S, /P) |\n| --- | --- | --- | --- | --- |\n"
    row("Growth of private bytes, GDI, USER and handles over the week", "see above", "see above", "none", verdict[1] ", " verdict[2])
    row("Calls, time and rate", cell("week_saver.calls") " ticks in " cell("week_saver.seconds") " s (" cell("week_saver.calls_per_second") "/s)",
        cell("week_preview.calls") " passes in " cell("week_preview.seconds") " s (" cell("week_preview.calls_per_second") "/s)",
        "within 30 minutes in all", "")
    row("Clock readings supplied: the date at the start → at the end (date texts shown)",
        cell("week_saver.first_date") " → " cell("week_saver.last_date") " (" cell("week_saver.date_texts") ")",
        "time shown at the end: " cell("week_preview.last_time"), "crosses midnight and a month end", "")

    print ""
    print "Each start timed (ms):"
    for (i = 1; i <= 2; i++) {
        m = modes[i]
        printf "- %s: first frame %s", m, cell(m ".frame.first_frame_ms")
        if (has(m ".frame.window_ms")) printf "; first window %s", v[m ".frame.window_ms"]
        printf "; smallest program showing yellow %s (its window %s)", cell(m ".frame.plain_window_ms"),
            cell(m ".frame.plain_window_shown_ms")
        if (has(m ".frame.plain_preview_ms")) printf "; smallest program drawing yellow into the preview window %s", cell(m ".frame.plain_preview_ms")
        printf "; bare Win32 program %s", cell(m ".frame.bare_process_ms")
        printf "; started at second %s of the minute\n", cell(m ".frame.start_clock_s")
    }
    print ""
    print "CPU of each run (saver process; Wine server; Xvfb):"
    modes[3] = "conventional"
    for (i = 1; i <= 3; i++) {
        m = modes[i]
        printf "- %s:", m
        for (r = 1; r <= cpu_runs; r++) printf " run %d %s, %s, %s;", r, show_pct(pct(m r, "saver")), show_pct(pct(m r, "server")), show_pct(pct(m r, "xvfb"))
        printf "\n"
    }
    print ""
    print "Resident memory every 10 s of each run (seconds since start: VmRSS KiB, anonymous KiB, VmHWM KiB):"
    for (i = 1; i <= 2; i++)
        for (r = 1; r <= cpu_runs; r++)
            printf "- %s, run %d: %s\n", modes[i], r, (modes[i] r ".series") in series ? series[modes[i] r ".series"] : "n/a"
    print ""
    for (k in v) if (k ~ /error/) printf "- error (%s): %s\n", k, v[k]
    printf "- runs ended: saver by a key: %s, %s, %s; conventional saver by a key: %s, %s, %s; preview with its dialog: %s, %s, %s; %s\n",
        cell("saver1.ended"), cell("saver2.ended"), cell("saver3.ended"), cell("conventional1.ended"),
        cell("conventional2.ended"), cell("conventional3.ended"), cell("preview1.ended"), cell("preview2.ended"),
        cell("preview3.ended"), v["status_processes"]
    # One line for the index of results: the figures that it compares between runs.
    printf "\n<!-- figures size=%d cpu_saver=%s cpu_preview=%s frame_saver=%s frame_preview=%s ratio_saver=%s ratio_preview=%s week=%s,%s cpu_to_conventional=%s cpu_beyond_idle=%s calls_saver=%s calls_preview=%s calls_conventional=%s -->\n",
        size_bytes, cpu_median["saver"] < 0 ? "n/a" : sprintf("%.3f", cpu_median["saver"]),
        cpu_median["preview"] < 0 ? "n/a" : sprintf("%.3f", cpu_median["preview"]),
        frame_n["saver"] ? sprintf("%.0f", frame_med["saver"]) : "n/a", frame_n["preview"] ? sprintf("%.0f", frame_med["preview"]) : "n/a",
        ratio["saver"] < 0 ? "n/a" : sprintf("%.2f", ratio["saver"]), ratio["preview"] < 0 ? "n/a" : sprintf("%.2f", ratio["preview"]),
        verdict[1] == "yes" ? "flat" : verdict[1] == "not measured" ? "n/a" : "grew",
        verdict[2] == "yes" ? "flat" : verdict[2] == "not measured" ? "n/a" : "grew",
        cpu_ratio < 0 ? "n/a" : sprintf("%.2f", cpu_ratio), beyond_ratio < 0 ? "n/a" : sprintf("%.2f", beyond_ratio), (calls_n["saver"] >= 3 ? calls_all["saver"] : "n/a"),
        (calls_n["preview"] >= 3 ? calls_all["preview"] : "n/a"), (calls_n["conventional"] >= 3 ? calls_all["conventional"] : "n/a")
}' "$1"
}
make_table "$report" >"$table"

stamp=$(date +%F_%H%M%S)
{
    echo "# Zelvane benchmark, $(date '+%F %H:%M:%S %Z')"
    echo
    echo "Measured under $(/usr/lib/wine/wine64 --version 2>/dev/null || wine --version) on Xvfb" \
        "${ZELVANE_SCREEN:-1024x768x24}, $(nproc) cores, in $elapsed_min minutes; ${seconds} s per CPU run; executable $scr" \
        "($(x86_64-w64-mingw32-objdump -f "$scr" 2>/dev/null | awk '/file format/ { print $NF }'))." \
        "Load average (1 min) of the machine before and after: $load_before, $load_after; other work on" \
        "the shared cores slows Wine's process start and so the first frame most."
    echo
    if [ -n "$reference" ]; then
        echo "**Emulated**: this kernel runs no 32-bit code, so the shipped file ran with Wine's 32-bit half under" \
            "qemu-i386 ($("${ZELVANE_QEMU_I386:-$root/build/qemu/qemu-i386}" --version 2>/dev/null | head -n 1))." \
            "Its CPU and first-frame figures are the emulator's and not comparable with native ones; the 64-bit" \
            "twin's, measured natively in the same run, follow the table as the reference."
        echo
        # Emulated figures are kept out of the index's spread of native ones.
        sed 's/<!-- figures \(.*\) -->/<!-- figures emulated \1 -->/; s/ cpu_/ emulated_cpu_/g; s/ frame_/ emulated_frame_/g; s/ ratio_/ emulated_ratio_/g' \
            "$table"
        echo
        echo "Native reference, the 64-bit twin ($build64/ssZelvane.scr) on the same machine:"
        echo
        make_table "$reference" | awk 'NR <= 2 || /^\| (Average CPU|First frame|  its ratio|  the smallest|Conventional|  the saver.s CPU)/'
    else
        cat "$table"
    fi
    echo
    echo "Shipped executable: $shipped"
    echo
    echo "| Fact | Value |"
    echo "| --- | --- |"
    echo "| Size | $size_bytes bytes |"
    echo "| Format | $(i686-w64-mingw32-objdump -f "$shipped" | awk '/file format/ { print $NF }'), subsystem $(i686-w64-mingw32-objdump -p "$shipped" | awk '/^Subsystem/ { print $2, $3, $4 }') |"
    echo "| Imported DLLs | $(i686-w64-mingw32-objdump -p "$shipped" | awk '/DLL Name:/ { printf "%s%s", n++ ? ", " : "", $3 }') |"
    echo
    cat <<'NOTES'
What the figures mean:
- CPU: the run time of the saver's Linux process (Wine runs the program in it), all its
  threads (/proc/PID/task/*/schedstat, in nanoseconds; utime + stime count whole 10 ms ticks,
  too coarse for a tenth of a per cent), divided by the wall time measured, from the end of a
  warm-up to the end of the run; the Wine server and Xvfb work for it too and are shown beside
  it. GetProcessTimes under Wine reports far too little, so /proc is read instead. Three runs
  of each mode, in turn; the median counts. The Wine server's figure includes what it does for
  the whole session, whatever the program (under Wine 8 it wakes every 16 ms to update the
  time it shares with every process): the idle row shows that floor, measured beside a
  one-pixel window that waits for messages, as long as a run, before each pair.
- Memory: VmHWM (peak resident set) and VmRSS of that process, which include Wine's own
  DLLs mapped into it; the anonymous part (RssAnon) is where a heap leak would show.
  The target is no growth between the middle and the end of each run.
- GDI and USER objects: GetGuiResources answers 0 for every process under Wine, so its
  figures are not available here. The GDI figures come from the saver's own GDI handle
  table, read from outside (ReadProcessMemory of the table its 64-bit PEB points to, where
  Wine keeps it for a 32-bit process too) by the 64-bit probe, after the probe has checked
  the table's layout on itself
  (its count follows 32 brushes made and deleted exactly); stock objects are included.
  USER objects live in the Wine server, out of reach per process; the process's windows
  are counted instead. A figure that could not be read shows as n/a, and its Met column
  then says "not measured".
- First frame: tests/hosts/first_frame_probe.cpp takes QueryPerformanceCounter, starts the
  .scr with CreateProcess and copies the screen (BitBlt into a DIB) about every millisecond
  until yellow shows: anywhere on the screen for "/S", inside the popup preview for "/P".
  For "/S" the copies of the whole screen (the "one poll" line) begin once the saver's
  process shows a window, so that they do not slow its start. The smallest Win32 program
  that shows yellow over the same area (a topmost popup with a yellow background), built
  for the same width as the .scr (Wine starts a 32-bit program more slowly), is timed
  the same way right after each start, so that both meet the same load on the machine: the
  median of each start's ratio to the floor's start after it is what the saver adds to
  Wine's start (the ratio of the two medians is shown beside it: load that changes during
  the starts moves it, not the pairs). A preview cannot show a window
  of its own: its floor is the smallest program that draws yellow into a dialog's preview
  window (a dialog started for it), which Wine shows later than a popup; the popup's figure
  is given beside it. A preview started in second 0
  of a minute draws one pass (about 1 s) late: the clock face compares its first reading
  with second 0, so the median is reported.
- Keeping time: tests/hosts/seconds_probe.cpp starts the mode, waits for its first time text
  and from then on copies the time text's area of the screen (BitBlt) a few hundred times a
  second: for "/S" the tallest block of yellow rows (the time; it moves, so only its surroundings are copied once
  found), for "/P" the middle of the disc. A new text counts once two copies in a row show it,
  at the local time the first of them ended (so a text never counts for the second before
  the one it shows). Each whole second of the local clock inside the watch is shown
  (the first new text in it gives its delay from the second's start) or missed; the copy rate
  sets the resolution (a few ms). A text drawn in the last milliseconds of its own second and
  seen after the next began counts for the next: the seconds missed still tell.
- Beside the conventional saver: bench/conventional_saver.cpp shows the time as the saver does
  (72-point bold Arial, yellow on black, moving 6 px a tick), without the date, written the
  platform's usual way: one window, a GetMessage loop, a 500 ms SetTimer that invalidates the
  whole window, and a paint that reads the clock, formats the time with GetTimeFormatW and
  draws it with a font created for that paint. It runs right after the saver in each of the
  three runs, for as long; each pair's ratio is the saver's process plus Wine server over the
  conventional one's, and their median counts. The same ratio is shown with the server's
  share counted beyond its idle floor of the same round, which is what it does for the
  program: the floor stands on both sides of the first ratio and keeps it above
  floor / (conventional + floor) even for a program that used no CPU at all.
- Calls into the system: each mode runs once more with WINEDEBUG=+timestamp,+relay, and the
  "Call" lines of the thread that makes the most are counted over 60 s after a warm-up of 10 s
  at least, divided by the ticks (500 ms) or passes (1 s) in that time. They are the calls into
  Wine's DLLs and, with Wine's default RelayFromExclude, Wine's own calls between its DLLs
  except those from user32, gdi32, kernel32, advapi32 and the display driver; a window
  procedure that the system calls counts too. "From its own code" counts those whose return
  address lies in the program's image. The log slows the program, not what it calls.
- The week of ticks (bench/week_of_ticks.cpp, at the measured file's width): the clock
  window is shown and its tick handler called through its timer message, then the pending
  events (its painting) are dispatched, 1,209,600 times; the preview's drawing pass (a new
  brush, pen and font, the clock face, the frame put on the screen) draws into a 152 × 112
  popup 604,800 times, pumping events after each. The clock readings are supplied: the week
  starts on Friday 28 January 2022 at noon and ends on 4 February, so the ticks cross seven
  midnights and the end of January. Private bytes: PrivateUsage, or under Wine (which
  answers 0) the committed private regions of the address space; GDI: GetGuiResources, or
  the headroom (tests/win/gdi_headroom.h); USER: GetGuiResources, or the process's windows;
  handles: GetProcessHandleCount, or the handle values that name an open handle. Most of a
  tick's time is spent in round trips to the Wine server (label sizing, invalidation,
  painting, the message pump), each a context switch on this machine.
NOTES
} >"$table.md"

cat "$table.md"
if [ $save = yes ]; then
    mkdir -p "$root/bench/results"
    kept="$root/bench/results/$stamp.md"
    n=1
    while [ -e "$kept" ]; do
        n=$((n + 1))
        kept="$root/bench/results/$stamp-$n.md"
    done
    cp "$table.md" "$kept"
    "$root/bench/index.sh" >"$root/bench/results/README.md"
    echo >&2
    echo "kept as ${kept#"$root"/}; index: bench/results/README.md" >&2
fi
rm -f "$table.md"
