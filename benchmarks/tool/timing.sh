# Wall-clock timing shared by the tool benchmarks; sourced, not run.

# Microseconds one run of a command takes. Its output goes nowhere and its exit code is not
# judged: check exits 1 when it finds problems, and the time is what is measured.
micros() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 || true
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
}

# The best of RUNS runs of a command: the machine may be busy with other work.
best_of() {
    local runs=$1 t best= i
    shift
    for ((i = 0; i < runs; i++)); do
        t=$(micros "$@")
        if [ -z "$best" ] || [ "$t" -lt "$best" ]; then best=$t; fi
    done
    echo "$best"
}
