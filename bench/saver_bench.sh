#!/bin/sh
# Measures the full-screen saver at rest: runs "/S" under Wine on a private Xvfb for a
# while (30 s by default, 20 s at least) and prints, each beside its budget, the saver's
# average CPU use as a share of one core, the Wine server's beside it, and the saver's
# peak memory; then the shipped 32-bit executable's size and imported DLLs.
#
#   bench/saver_bench.sh [SECONDS]
#
# CPU comes from the Linux processes' utime + stime in /proc (GetProcessTimes under Wine
# reports far too little); memory is VmHWM of the saver's process. Build folders can be
# moved with ZELVANE_BUILD32 / ZELVANE_BUILD64; the Wine prefix with WINEPREFIX.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

seconds=${1:-30}
min_seconds=20
warmup_seconds=4
case $seconds in '' | *[!0-9]*) echo "usage: $0 [SECONDS]" >&2; exit 2 ;; esac
if [ "$seconds" -lt "$min_seconds" ]; then
    echo "measuring for ${min_seconds} s at least" >&2
    seconds=$min_seconds
fi

# Budgets.
cpu_budget_pct=1.0       # the saver, share of one core
server_budget_pct=1.0    # the Wine server, share of one core
memory_budget_kib=65536  # the saver's peak resident memory

build32=${ZELVANE_BUILD32:-$root/build/win32}
build64=${ZELVANE_BUILD64:-$root/build/win64}
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"

# Build what is missing or stale: the shipped 32-bit file, and the 64-bit build of the same
# sources where this kernel cannot run 32-bit code.
echo "building ..."
cmake -S "$root" -B "$build32" --toolchain "$root/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build32" -j2 --target ssZelvane >/dev/null
scr="$build32/ssZelvane.scr"
if ! /lib/ld-linux.so.2 --help >/dev/null 2>&1; then
    cmake -S "$root" -B "$build64" --toolchain "$root/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$build64" -j2 --target ssZelvane >/dev/null
    scr="$build64/ssZelvane.scr"
fi

report=$(mktemp)
measure=$(mktemp)
trap 'rm -f "$report" "$measure"' EXIT

# The measurement runs on the private display, with one Wine server for the prefix.
cat >"$measure" <<'MEASURE'
set -e
root=$1 scr=$2 seconds=$3 warmup=$4 report=$5
ticks_per_s=$(getconf CLK_TCK)

# utime + stime in clock ticks; the fields after the parenthesised command name.
cpu_ticks() { sed 's/.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'; }
now() { date +%s.%N; }

xvfb=
for p in /proc/[0-9]*; do
    if [ "$( (tr '\0' ' ' <"$p/cmdline") 2>/dev/null | cut -d' ' -f1,2)" = "Xvfb $DISPLAY" ]; then
        xvfb=${p#/proc/}
        break
    fi
done

# Wine runs the program in the process that it was started as.
"$root/tools/wine-run" "$scr" /S &
saver=$!
sleep "$warmup"
if ! kill -0 "$saver" 2>/dev/null; then
    echo "the saver did not keep running" >&2
    exit 1
fi

# The Wine server that serves the saver works in a folder named after the prefix's device
# and inode; a server that has already ended may linger as a zombie with the same folder.
prefix_id="server-$(stat -c %D "$WINEPREFIX")-$(printf '%x' "$(stat -c %i "$WINEPREFIX")")"
server=
for p in /proc/[0-9]*; do
    case $(readlink "$p/cwd" 2>/dev/null) in
        */"$prefix_id")
            if [ "$(sed 's/.*) //' "$p/stat" 2>/dev/null | cut -d' ' -f1)" != Z ]; then
                server=${p#/proc/}
                break
            fi
            ;;
    esac
done

t0=$(now)
s0=$(cpu_ticks "$saver")
w0=$([ -n "$server" ] && cpu_ticks "$server" || echo 0)
x0=$([ -n "$xvfb" ] && cpu_ticks "$xvfb" || echo 0)
sleep "$seconds"
t1=$(now)
s1=$(cpu_ticks "$saver")
w1=$([ -n "$server" ] && cpu_ticks "$server" || echo 0)
x1=$([ -n "$xvfb" ] && cpu_ticks "$xvfb" || echo 0)
hwm=$(awk '/^VmHWM:/ { print $2 }' "/proc/$saver/status")
alive=yes
kill -0 "$saver" 2>/dev/null || alive=no

# End the run as a user would: a key.
xdotool key space 2>/dev/null || true
ended=no
for _ in $(seq 50); do
    kill -0 "$saver" 2>/dev/null || { ended=yes; break; }
    sleep 0.1
done
if [ $ended = no ]; then
    kill "$saver" 2>/dev/null || true
fi
wait "$saver" 2>/dev/null || true

{
    for name in t0 t1 s0 s1 w0 w1 x0 x1 hwm ticks_per_s; do
        eval "echo $name \$$name"
    done
    echo "status alive=$alive ended_by_key=$ended server=${server:-none} xvfb=${xvfb:-none}"
} >"$report"
MEASURE
"$root/tools/with-display" sh "$measure" "$root" "$scr" "$seconds" "$warmup_seconds" "$report" </dev/null

awk -v cpu_budget="$cpu_budget_pct" -v server_budget="$server_budget_pct" -v mem_budget="$memory_budget_kib" \
    -v scr="$scr" '
function verdict(ok) { return ok ? "ok" : "OVER BUDGET" }
$1 == "status" { status = $0; sub(/^status /, "", status); next }
{ v[$1] = $2 }
END {
    elapsed = v["t1"] - v["t0"]
    hz = v["ticks_per_s"]
    if (elapsed <= 0 || hz <= 0) { print "no measurement"; exit 1 }
    saver = (v["s1"] - v["s0"]) / hz / elapsed * 100
    server = (v["w1"] - v["w0"]) / hz / elapsed * 100
    xvfb = (v["x1"] - v["x0"]) / hz / elapsed * 100
    printf "\nsaver under Wine + Xvfb: %s /S, measured for %.1f s\n", scr, elapsed
    printf "  %-36s %7.3f %%    budget < %.1f %%    %s\n", "saver CPU (share of one core)", saver, cpu_budget,
        verdict(saver < cpu_budget)
    if (status ~ /server=none/)
        printf "  %-36s %7s      (its process was not found)\n", "Wine server CPU (share of one core)", "n/a"
    else
        printf "  %-36s %7.3f %%    budget < %.1f %%    %s\n", "Wine server CPU (share of one core)", server,
            server_budget, verdict(server < server_budget)
    printf "  %-36s %7.3f %%    (drawing on the X server; no budget)\n", "Xvfb CPU (share of one core)", xvfb
    printf "  %-36s %7.1f MiB  budget < %.0f MiB   %s\n", "saver peak memory (VmHWM)", v["hwm"] / 1024,
        mem_budget / 1024, verdict(v["hwm"] < mem_budget)
    printf "  %s\n", status
}' "$report"

shipped="$build32/ssZelvane.scr"
echo
echo "shipped executable: $shipped"
echo "  size: $(stat -c %s "$shipped") bytes"
echo "  imported DLLs:"
i686-w64-mingw32-objdump -p "$shipped" | awk '/DLL Name:/ { print "    " $3 }'
