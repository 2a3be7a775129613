#!/bin/sh
# The benchmark of the screen saver: runs each mode under Wine on a private Xvfb for a set
# time (120 s by default) and prints one table, each figure beside its target:
#   - average CPU as a share of one core (the saver's process; the Wine server's beside it),
#   - peak working set and resident memory at minute 1 and at the end (target: no growth),
#   - GDI and USER objects at the start and at the end,
#   - time from process start to the first drawn frame (median of 5 starts; target < 300 ms),
#   - the shipped 32-bit executable's size and imported DLLs.
# Modes: the full-screen saver "/S", and the preview "/P <handle>" drawing into the test
# display-settings dialog (tests/hosts/display_host.cpp) with its preview as a top-level popup.
#
#   bench/run.sh [-n] [SECONDS]     SECONDS per mode (20 at least); -n: do not keep the result
#
# The table is also kept as bench/results/YYYY-MM-DD.md (today's date) unless -n is given.
# CPU comes from the Linux processes' utime + stime in /proc (GetProcessTimes under Wine
# reports far too little); memory from their VmHWM / VmRSS. Build folders can be moved with
# ZELVANE_BUILD32 / ZELVANE_BUILD64, the Wine prefix with WINEPREFIX, the number of starts
# timed for the first frame with ZELVANE_FIRST_FRAME_RUNS.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

save=yes
if [ "$1" = -n ]; then
    save=no
    shift
fi
seconds=${1:-120}
min_seconds=20
case $seconds in '' | *[!0-9]*) echo "usage: $0 [-n] [SECONDS]" >&2; exit 2 ;; esac
if [ "$seconds" -lt "$min_seconds" ]; then
    echo "measuring for ${min_seconds} s at least" >&2
    seconds=$min_seconds
fi
warmup=4            # start-up is left out of the CPU average
sample_every=10     # resident memory is sampled this often for the series
idle_seconds=10     # the Wine server and Xvfb are measured this long beside an idle program
# "Minute 1": 60 s after the start, or about half-way through a shorter run; one of the samples.
checkpoint=60
half=$((seconds / 2 / sample_every * sample_every))
[ $half -lt $checkpoint ] && checkpoint=$half
runs=${ZELVANE_FIRST_FRAME_RUNS:-5}

# Targets.
cpu_target_pct=1.0
peak_memory_target_kib=65536   # the saver's peak working set
first_frame_target_ms=300

build32=${ZELVANE_BUILD32:-$root/build/win32}
build64=${ZELVANE_BUILD64:-$root/build/win64}
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"

# Build what is missing or stale: the shipped 32-bit file, and the 64-bit build of the same
# sources with the test hosts (the probe, the display-settings dialog) for running under Wine.
echo "building ..." >&2
cmake -S "$root" -B "$build32" --toolchain "$root/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build32" -j2 --target ssZelvane >/dev/null
cmake -S "$root" -B "$build64" --toolchain "$root/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DZELVANE_WINE_TESTS=ON >/dev/null
cmake --build "$build64" -j2 --target ssZelvane first_frame_probe display_host saver_flag_probe >/dev/null
shipped="$build32/ssZelvane.scr"
scr="$build64/ssZelvane.scr"
# Where the kernel runs 32-bit code, the shipped file itself is measured.
if /lib/ld-linux.so.2 --help >/dev/null 2>&1; then
    scr=$shipped
fi

report=$(mktemp)
measure=$(mktemp)
trap 'rm -f "$report" "$measure"' EXIT

# The measurement runs on the private display, with one Wine server for the prefix. It
# writes "name value" lines to the report; the table is made from them afterwards.
cat >"$measure" <<'MEASURE'
set -e
root=$1 scr=$2 bin=$3 seconds=$4 checkpoint=$5 warmup=$6 sample_every=$7 runs=$8 report=$9 idle_seconds=${10}
wine="$root/tools/wine-run"
probe="$bin/first_frame_probe.exe"
ticks_per_s=$(getconf CLK_TCK)
echo "ticks_per_s $ticks_per_s" >>"$report"

# utime + stime in clock ticks; the fields after the parenthesised command name.
cpu_ticks() { sed 's/.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'; }
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
"$wine" "$probe" saver "Z:$scr" "$runs" | record saver.frame
"$wine" "$probe" preview "Z:$scr" "$runs" | record preview.frame

# The Wine server and Xvfb beside an idle Win32 program (a one-pixel window waiting for
# messages): the floor under their figures. The server ends when no program is left.
"$wine" "$probe" plain-window 0 0 1 1 &
idle=$!
started_pids="$started_pids $idle"
sleep "$warmup"
server=$(find_server)
t0=$(now) w0=$(ticks_of "$server") x0=$(ticks_of "$xvfb")
sleep "$idle_seconds"
t1=$(now) w1=$(ticks_of "$server") x1=$(ticks_of "$xvfb")
kill "$idle" 2>/dev/null || true
wait "$idle" 2>/dev/null || true
{
    echo "idle.measured_s $(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f", b - a }')"
    echo "idle.server_ticks $(ticks_between "$w0" "$w1")"
    echo "idle.xvfb_ticks $(ticks_between "$x0" "$x1")"
    echo "idle.server_pid ${server:-none}"
} >>"$report"

# One mode at rest: CPU from the warm-up's end to the end, memory sampled all along,
# objects at the start and at the end. $1 mode, $2 the saver's process, $3 its start.
soak() {
    mode=$1 pid=$2 started=$3
    sleep_until "$started" "$warmup"
    if ! alive "$pid"; then
        echo "$mode.error the saver did not keep running" >>"$report"
        return
    fi
    "$wine" "$probe" objects ssZelvane.scr | record "$mode.start"
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
    "$wine" "$probe" objects ssZelvane.scr | record "$mode.end"
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

# Saver: ended at last as a user would, with a key.
started=$(now)
"$wine" "$scr" /S &
saver=$!
started_pids="$started_pids $saver"
soak saver "$saver" "$started"
xdotool key space 2>/dev/null || true
reap "$saver" && echo "saver.ended yes" >>"$report" || echo "saver.ended no" >>"$report"

# Preview: the test dialog first; the preview ends by itself when the dialog closes.
"$wine" "$bin/display_host.exe" --popup &
host=$!
started_pids="$started_pids $host"
handle=
for _ in $(seq 30); do
    handle=$("$wine" "$probe" preview-handle 2>/dev/null) && break
    handle=
    sleep 0.5
done
if [ -z "$handle" ]; then
    echo "preview.error the test display-settings dialog did not come up" >>"$report"
else
    started=$(now)
    "$wine" "$scr" /P "$handle" &
    preview=$!
    started_pids="$started_pids $preview"
    soak preview "$preview" "$started"
    "$wine" "$probe" close-host || true
    reap "$preview" && echo "preview.ended yes" >>"$report" || echo "preview.ended no" >>"$report"
fi
reap "$host" || true
MEASURE

load_before=$(cut -d' ' -f1 /proc/loadavg)
echo "measuring for ${seconds} s per mode (about $((2 * seconds / 60 + 1)) minutes) ..." >&2
"$root/tools/with-display" sh "$measure" "$root" "$scr" "$build64" "$seconds" "$checkpoint" "$warmup" \
    "$sample_every" "$runs" "$report" "$idle_seconds" </dev/null
load_after=$(cut -d' ' -f1 /proc/loadavg)

table=$(mktemp)
trap 'rm -f "$report" "$measure" "$table"' EXIT

awk -v cpu_target="$cpu_target_pct" -v frame_target="$first_frame_target_ms" -v peak_target="$peak_memory_target_kib" -v seconds="$seconds" \
    -v checkpoint="$checkpoint" -v warmup="$warmup" -v runs="$runs" -v scr="$scr" '
function has(k) { return (k in v) && v[k] != "" }
function num(k) { return has(k) ? v[k] + 0 : 0 }
function yes(ok) { return ok ? "yes" : "**NO**" }
function mib(kib) { return sprintf("%.1f MiB", kib / 1024) }
function signed_kib(d) { return sprintf("%+d KiB", d) }
function pct(mode, what) {
    if (num(mode ".measured_s") <= 0 || num("ticks_per_s") <= 0 || !has(mode "." what "_ticks")) return -1
    return num(mode "." what "_ticks") / num("ticks_per_s") / num(mode ".measured_s") * 100
}
function show_pct(p) { return p < 0 ? "n/a" : sprintf("%.3f %%", p) }
function cell(mode, k) { return has(mode "." k) ? v[mode "." k] : "n/a" }
function change(mode, k) {
    if (!has(mode ".start." k) || !has(mode ".end." k) || v[mode ".start." k] == "n/a") return "n/a"
    return v[mode ".start." k] " → " v[mode ".end." k]
}
function no_growth(mode, k) {
    return has(mode ".start." k) && has(mode ".end." k) && v[mode ".start." k] != "n/a" &&
        v[mode ".end." k] + 0 <= v[mode ".start." k] + 0
}
function row(figure, saver, preview, target, met) {
    printf "| %s | %s | %s | %s | %s |\n", figure, saver, preview, target, met
}
{
    key = $1
    $1 = ""
    sub(/^ /, "")
    if (key ~ /\.series$/) { series[key] = series[key] (series[key] == "" ? "" : "; ") $0; next }
    v[key] = $0
}
END {
    split("saver preview", modes, " ")
    for (i = 1; i <= 2; i++) {
        m = modes[i]
        cpu[m] = pct(m, "saver")
        server[m] = pct(m, "server")
        xvfb[m] = pct(m, "xvfb")
        rss_growth[m] = num(m ".end_rss") - num(m ".cp_rss")
        anon_growth[m] = num(m ".end_anon") - num(m ".cp_anon")
        hwm_growth[m] = num(m ".end_hwm") - num(m ".cp_hwm")
        memory_ok[m] = has(m ".cp_rss") && has(m ".end_rss") && rss_growth[m] <= 0 && hwm_growth[m] <= 0
        frame[m] = has(m ".frame.first_frame_median_ms") ? num(m ".frame.first_frame_median_ms") : -1
    }
    print "| Figure | Saver \"/S\" | Preview \"/P\" | Target | Met (/S, /P) |"
    print "| --- | --- | --- | --- | --- |"
    row("Average CPU of the saver process, share of one core (" warmup " s to " seconds " s)",
        show_pct(cpu["saver"]), show_pct(cpu["preview"]), "< " cpu_target " %",
        yes(cpu["saver"] >= 0 && cpu["saver"] < cpu_target) ", " yes(cpu["preview"] >= 0 && cpu["preview"] < cpu_target))
    row("Wine server CPU beside it, share of one core", show_pct(server["saver"]), show_pct(server["preview"]),
        "(for reference)", "")
    row("Xvfb CPU beside it (drawing on the X server)", show_pct(xvfb["saver"]), show_pct(xvfb["preview"]),
        "(for reference)", "")
    row("  the same two beside an idle Win32 program instead (once, before both runs): Wine server, Xvfb",
        show_pct(pct("idle", "server")) ", " show_pct(pct("idle", "xvfb")), "(the same baseline)", "(for reference)", "")
    row("Peak working set (VmHWM) at " checkpoint " s / at the end", mib(num("saver.cp_hwm")) " / " mib(num("saver.end_hwm")),
        mib(num("preview.cp_hwm")) " / " mib(num("preview.end_hwm")), "< " peak_target / 1024 " MiB; no growth",
        yes(has("saver.end_hwm") && num("saver.end_hwm") < peak_target) ", " \
        yes(has("preview.end_hwm") && num("preview.end_hwm") < peak_target))
    row("Resident memory (VmRSS) at " checkpoint " s / at the end", mib(num("saver.cp_rss")) " / " mib(num("saver.end_rss")),
        mib(num("preview.cp_rss")) " / " mib(num("preview.end_rss")), "no growth", "")
    row("Growth from " checkpoint " s to the end: VmRSS (anonymous part), VmHWM",
        signed_kib(rss_growth["saver"]) " (" signed_kib(anon_growth["saver"]) "), " signed_kib(hwm_growth["saver"]),
        signed_kib(rss_growth["preview"]) " (" signed_kib(anon_growth["preview"]) "), " signed_kib(hwm_growth["preview"]),
        "0 (none)", yes(memory_ok["saver"]) ", " yes(memory_ok["preview"]))
    row("GDI objects, start → end (GetGuiResources)",
        "not available under Wine (answers " cell("saver", "start.gui_resources_gdi") ")",
        "not available under Wine (answers " cell("preview", "start.gui_resources_gdi") ")", "no growth", "")
    row("GDI objects, start → end (live entries of its GDI handle table, read from outside)",
        change("saver", "gdi_table_objects"), change("preview", "gdi_table_objects"), "no growth",
        yes(no_growth("saver", "gdi_table_objects")) ", " yes(no_growth("preview", "gdi_table_objects")))
    row("USER objects, start → end (GetGuiResources)",
        "not available under Wine (answers " cell("saver", "start.gui_resources_user") ")",
        "not available under Wine (answers " cell("preview", "start.gui_resources_user") ")", "no growth", "")
    row("Windows of the process, start → end (the USER objects that can be counted)",
        change("saver", "windows"), change("preview", "windows"), "no growth",
        yes(no_growth("saver", "windows")) ", " yes(no_growth("preview", "windows")))
    row("First frame: process start to the first yellow pixel, median of " runs " starts",
        frame["saver"] < 0 ? "n/a" : sprintf("%.0f ms", frame["saver"]),
        frame["preview"] < 0 ? "n/a" : sprintf("%.0f ms", frame["preview"]), "< " frame_target " ms",
        yes(frame["saver"] >= 0 && frame["saver"] < frame_target) ", " yes(frame["preview"] >= 0 && frame["preview"] < frame_target))
    row("  of which: process start to its first visible window, median",
        has("saver.frame.window_median_ms") ? sprintf("%.0f ms", num("saver.frame.window_median_ms")) : "n/a",
        "(draws into the dialog: no window)", "(for reference)", "")
    row("  the smallest Win32 program showing yellow there (the floor Wine sets), median: yellow (its window)",
        sprintf("%.0f ms (%.0f ms)", num("saver.frame.plain_window_median_ms"), num("saver.frame.plain_window_shown_median_ms")),
        sprintf("%.0f ms (%.0f ms)", num("preview.frame.plain_window_median_ms"), num("preview.frame.plain_window_shown_median_ms")),
        "(for reference)", "")
    row("  Wine alone: start and end of a bare Win32 program, median",
        sprintf("%.0f ms", num("saver.frame.bare_process_median_ms")),
        sprintf("%.0f ms", num("preview.frame.bare_process_median_ms")), "(for reference)", "")
    row("  one poll of the probe (copy and scan of the watched area)",
        sprintf("%.1f ms", num("saver.frame.scan_median_ms")), sprintf("%.1f ms", num("preview.frame.scan_median_ms")),
        "(resolution)", "")
    print ""
    print "Each start timed (ms):"
    for (i = 1; i <= 2; i++) {
        m = modes[i]
        printf "- %s: first frame %s", m, cell(m, "frame.first_frame_ms")
        if (has(m ".frame.window_ms")) printf "; first window %s", v[m ".frame.window_ms"]
        printf "; smallest program showing yellow %s (its window %s)", cell(m, "frame.plain_window_ms"),
            cell(m, "frame.plain_window_shown_ms")
        printf "; bare Win32 program %s", cell(m, "frame.bare_process_ms")
        printf "; started at second %s of the minute\n", cell(m, "frame.start_clock_s")
    }
    print ""
    print "Resident memory every 10 s (seconds since start: VmRSS KiB, anonymous KiB, VmHWM KiB):"
    for (i = 1; i <= 2; i++) {
        m = modes[i]
        printf "- %s: %s\n", m, (m ".series") in series ? series[m ".series"] : "n/a"
    }
    print ""
    for (k in v) if (k ~ /error/) printf "- error (%s): %s\n", k, v[k]
    printf "- run ended: saver by a key: %s; preview with its dialog: %s; Wine server %s, %s, %s; %s\n",
        cell("saver", "ended"), cell("preview", "ended"), cell("idle", "server_pid"), cell("saver", "server_pid"),
        cell("preview", "server_pid"), v["status_processes"]
}' "$report" >"$table"

{
    echo "# Zelvane benchmark, $(date +%F)"
    echo
    echo "Measured $(date '+%F %H:%M %Z') under $(/usr/lib/wine/wine64 --version 2>/dev/null || wine --version) on Xvfb" \
        "${ZELVANE_SCREEN:-1024x768x24}, $(nproc) cores; ${seconds} s per mode; executable $scr" \
        "($(x86_64-w64-mingw32-objdump -f "$scr" 2>/dev/null | awk '/file format/ { print $NF }'))." \
        "Load average (1 min) of the machine before and after: $load_before, $load_after; other work on" \
        "the shared cores slows Wine's process start and so the first frame most."
    echo
    cat "$table"
    echo
    echo "Shipped executable: $shipped"
    echo
    echo "| Fact | Value |"
    echo "| --- | --- |"
    echo "| Size | $(stat -c %s "$shipped") bytes |"
    echo "| Format | $(i686-w64-mingw32-objdump -f "$shipped" | awk '/file format/ { print $NF }'), subsystem $(i686-w64-mingw32-objdump -p "$shipped" | awk '/^Subsystem/ { print $2, $3, $4 }') |"
    echo "| Imported DLLs | $(i686-w64-mingw32-objdump -p "$shipped" | awk '/DLL Name:/ { printf "%s%s", n++ ? ", " : "", $3 }') |"
    echo
    cat <<'NOTES'
What the figures mean:
- CPU: utime + stime of the saver's Linux process (Wine runs the program in it), divided by
  the wall time measured, from the end of a warm-up to the end of the run; the Wine server
  and Xvfb work for it too and are shown beside it. GetProcessTimes under Wine reports far
  too little, so /proc is read instead.
- Memory: VmHWM (peak resident set) and VmRSS of that process, which include Wine's own
  DLLs mapped into it; the anonymous part (RssAnon) is where a heap leak would show.
  The target is no growth between minute 1 and the end.
- GDI and USER objects: GetGuiResources answers 0 for every process under Wine, so its
  figures are not available here. The GDI figures come from the saver's own GDI handle
  table, read from outside (ReadProcessMemory of the table its PEB points to), after the
  probe has checked the table's layout on itself (its count follows 32 brushes made and
  deleted exactly); stock objects are included. USER objects live in the Wine server,
  out of reach per process; the process's windows are counted instead. The evidence that
  no GDI object is left behind comes from the in-process soak tests
  (tests/win/clock_soak_test.cpp: 10 000 clock ticks; tests/win/graphical_test.cpp:
  10 000 brush, pen and font replacements), which measure the GDI headroom
  (tests/win/gdi_headroom.h) before and after.
- First frame: tests/hosts/first_frame_probe.cpp takes QueryPerformanceCounter, starts the
  .scr with CreateProcess and copies the screen (BitBlt into a DIB) about every millisecond
  until yellow shows: anywhere on the screen for "/S", inside the popup preview for "/P".
  For "/S" the copies of the whole screen (the "one poll" line) begin once the saver's
  process shows a window, so that they do not slow its start. The smallest Win32 program
  that shows yellow over the same area (a topmost popup with a yellow background) is timed
  the same way: the difference between the two is what the saver itself adds to Wine's
  start. A preview started in second 0 of a minute draws one pass (about 1 s) late: the
  clock face compares its first reading with second 0, so the median is reported.
NOTES
} >"$table.md"

cat "$table.md"
if [ $save = yes ]; then
    mkdir -p "$root/bench/results"
    cp "$table.md" "$root/bench/results/$(date +%F).md"
    echo >&2
    echo "kept as bench/results/$(date +%F).md" >&2
fi
rm -f "$table.md"
