#!/usr/bin/env bash
# Runs every fuzz target of a build for the given seconds, each on a scratch copy of its seed
# corpus, so that what a run discovers never lands in tests/corpus. A finding stops its target
# and is kept, with the log, in the scratch folder; the script then fails. A clean run leaves
# nothing behind.
# Usage: run-fuzzers.sh BUILD_DIR SECONDS [PARALLEL]
set -euo pipefail
build=$(realpath "$1")
seconds=$2
parallel=${3:-1}
root=$(realpath "$(dirname "$0")/..")
scratch=$(mktemp -d "${TMPDIR:-/tmp}/netedit-fuzz.XXXXXX")
echo "Fuzzing for ${seconds} s per target, ${parallel} at a time; corpora and logs in ${scratch}"

run_one() {
    local name=$1 dir="$scratch/$1"
    mkdir -p "$dir/corpus" "$dir/findings"
    cp "$root/tests/corpus/$name/"* "$dir/corpus/"
    if nice -n 10 "$build/fuzz/$name" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$dir/findings/" "$dir/corpus" >"$dir/log" 2>&1; then
        echo "$name: $(grep -o 'number_of_executed_units: [0-9]*' "$dir/log" | cut -d' ' -f2) executions," \
             "$(ls "$dir/corpus" | wc -l) corpus files, no finding"
    else
        echo "$name: FINDING, see $dir/log and $dir/findings/"
        tail -n 30 "$dir/log"
        return 1
    fi
}
export -f run_one
export build seconds root scratch

targets=()
for exe in "$build"/fuzz/fuzz_*; do
    [ -x "$exe" ] && targets+=("$(basename "$exe")")
done
printf '%s\n' "${targets[@]}" | xargs -P "$parallel" -I{} bash -c 'run_one {}'
rm -rf "$scratch"
