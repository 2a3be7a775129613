#!/bin/sh
# Prints the index of the benchmark's results (bench/results/README.md): the latest run's
# figures and their spread over the last runs, read from the "figures" line of each file.
#
#   bench/index.sh [LAST]     LAST runs in the spread (5 by default)
set -e
results=$(cd "$(dirname "$0")/results" && pwd)
last=${1:-5}
ls "$results" | grep -E '^[0-9]{4}-[0-9]{2}-[0-9]{2}_[0-9]{6}(-[0-9]+)?\.md$' | sort | tail -n "$last" |
    while read -r f; do
        line=$(grep -o '<!-- figures [^>]*-->' "$results/$f" || true)
        [ -n "$line" ] && echo "$f $line"
    done |
    awk '
function or_na(x) { return x == "" ? "n/a" : x }
function spread(k,    i, lo, hi, n, x) {
    n = 0
    for (i = 1; i <= runs; i++) {
        x = fig[i, k]
        if (x == "" || x == "n/a") continue
        x += 0
        if (n == 0 || x < lo) lo = x
        if (n == 0 || x > hi) hi = x
        n++
    }
    return n == 0 ? "n/a" : lo " to " hi " (" n " runs)"
}
{
    runs++
    name[runs] = $1
    for (i = 2; i <= NF; i++) if (split($i, kv, "=") == 2) fig[runs, kv[1]] = kv[2]
}
END {
    print "# Benchmark results"
    print ""
    print "Written by bench/run.sh after each run (bench/index.sh); one file per run, never replaced."
    print "Figures: the shipped file size (bytes), CPU of the saver process (% of one core, median of three"
    print "runs), first frame (ms, median of nine starts) and its ratio to the smallest program showing"
    print "yellow the same way (for the preview: drawn into a dialog\047s preview window, from the run of"
    print "2026-12-08 20:49 on; a popup of its own before), whether a week of ticks left private bytes,"
    print "GDI, USER and handles flat, the saver CPU to that of a conventional saver run beside it"
    print "(median of three pairs), and calls into the system per tick or pass (the relay log of Wine"
    print "over 60 s). Runs before these were measured show n/a there."
    print ""
    if (runs == 0) { print "No run with figures yet."; exit }
    print "| Figure | Latest (" name[runs] ") | Spread of the last " runs " runs | Target |"
    print "| --- | --- | --- | --- |"
    split("size cpu_saver cpu_preview frame_saver frame_preview ratio_saver ratio_preview cpu_to_conventional calls_saver calls_conventional calls_preview", keys, " ")
    split("Size of ssZelvane.scr|CPU, saver|CPU, preview|First frame, saver|First frame, preview|First frame ratio, saver|First frame ratio, preview|CPU to the conventional saver (process and Wine server)|Calls into the system per tick, saver|Calls into the system per tick, conventional saver|Calls into the system per pass, preview", labels, "|")
    split("≤ 64000|< 1.0|< 1.0|< 300|< 300|≤ 1.0|≤ 1.0|≤ 0.7|≤ 2× the conventional saver|(for reference)|(for reference)", targets, "|")
    for (k = 1; k <= 11; k++)
        printf "| %s | %s | %s | %s |\n", labels[k], fig[runs, keys[k]] == "" ? "n/a" : fig[runs, keys[k]], spread(keys[k]), targets[k]
    printf "| Week of ticks (saver, preview) | %s | |  no growth |\n", fig[runs, "week"]
    print ""
    print "| Run | Size | CPU saver, preview | First frame saver, preview | Ratio saver, preview | Week | CPU to conventional | Calls saver, conventional, preview |"
    print "| --- | --- | --- | --- | --- | --- | --- | --- |"
    for (i = runs; i >= 1; i--)
        printf "| [%s](%s) | %s | %s, %s | %s, %s | %s, %s | %s | %s | %s, %s, %s |\n", name[i], name[i], fig[i, "size"], fig[i, "cpu_saver"],
            fig[i, "cpu_preview"], fig[i, "frame_saver"], fig[i, "frame_preview"], fig[i, "ratio_saver"], fig[i, "ratio_preview"], fig[i, "week"],
            or_na(fig[i, "cpu_to_conventional"]), or_na(fig[i, "calls_saver"]), or_na(fig[i, "calls_conventional"]), or_na(fig[i, "calls_preview"])
}'
older=$(ls "$results" | grep -E '^[0-9]{4}-[0-9]{2}-[0-9]{2}\.md$' || true)
if [ -n "$older" ]; then
    echo
    echo "Earlier results, one file a day, before each run was kept with its figures:" \
        "$(echo "$older" | sed 's/.*/[&](&)/' | paste -sd ' ' | sed 's/ /, /g')."
fi
