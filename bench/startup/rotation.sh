# Shared by the start-up steps, sourced. The step defines `measure PROGRAM`,
# which prints "<ms to map> <peak RSS in KiB> <CPU ms to map>" for one start.

# Starts each program once to warm up, then RUNS times in rotation, so that a
# drift in the machine hits all alike. Prints "<index> <measure's line>" a run.
#   in_rotation RUNS PROGRAM...
in_rotation() {
    local runs=$1
    shift
    local programs=("$@") count=$# i k j line
    for p in "${programs[@]}"; do measure "$p" >/dev/null; done
    for ((i = 0; i < runs; ++i)); do
        for ((k = 0; k < count; ++k)); do
            j=$(((i + k) % count))
            line=$(measure "${programs[j]}")
            echo "$j $line"
        done
    done
}

# Reads in_rotation's lines and prints the medians, then the last program
# (Vellumino) against the first, judged by GOAL (the memory too if JUDGE_MEMORY
# is 1), and against each of the others as a second reference.
#   report TITLE SETTLE_MS RUNS GOAL JUDGE_MEMORY NAME...
report() {
    local title=$1 settle=$2 runs=$3 goal=$4 judge_memory=$5
    shift 5
    local IFS='|'
    awk -v title="$title" -v settle="$settle" -v runs="$runs" -v goal="$goal" -v judge_memory="$judge_memory" \
        -v names="$*" '
        function median(list,    n, v, i, j, t) {
            n = split(list, v, " ")
            for (i = 2; i <= n; ++i) for (j = i; j > 1 && v[j - 1] + 0 > v[j] + 0; --j) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
            return (n % 2) ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
        }
        function verdict(r) { return r <= goal ? "within the goal of " goal "x" : "over the goal of " goal "x" }
        { ms[$1] = ms[$1] " " $2; kib[$1] = kib[$1] " " $3; cpu[$1] = cpu[$1] " " $4 }
        END {
            count = split(names, name, "|")
            for (k = 1; k <= count; ++k) { t[k] = median(ms[k - 1]); m[k] = median(kib[k - 1]); c[k] = median(cpu[k - 1]) }
            printf "%s: exec to first map (wall clock, and processor time used by then),\n", title
            printf "peak RSS %d ms after the map; median of %d runs each, in rotation\n", settle, runs
            printf "  %-32s %9s %9s %12s\n", "", "to map", "CPU", "peak RSS"
            for (k = 1; k <= count; ++k) printf "  %-32s %6.1f ms %6.1f ms %8.1f MiB\n", name[k], t[k], c[k], m[k] / 1024
            last = count
            for (k = 1; k < last; ++k) {
                label = "Vellumino / " name[k]
                if (k == 1)
                    judged = "time " verdict(t[last] / t[k]) (judge_memory ? ", memory " verdict(m[last] / m[k]) : "")
                else
                    judged = "(the program'"'"'s own share)"
                printf "  %-32s %8.2fx %8.2fx %11.2fx   %s\n", label, t[last] / t[k], c[last] / c[k],
                    m[last] / m[k], judged
            }
        }'
}
