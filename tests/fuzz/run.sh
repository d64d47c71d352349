#!/usr/bin/env bash
# Fuzzes the version reader: first replays the committed corpus, then runs a bounded search from
# a scratch corpus seeded with it and the generated seeds. Exits non-zero on any crash, leak,
# sanitizer report or failed check, and prints one line with the result.
# Usage: tests/fuzz/run.sh BUILD_DIR   (the fuzz preset's build folder, e.g. build/fuzz)
# PINDREL_FUZZ_SECONDS shortens or lengthens the search (default 35).
set -uo pipefail
build=${1:?usage: run.sh BUILD_DIR}
here=$(cd "$(dirname "$0")" && pwd)
work="$build/fuzz-run"
fuzzer="$build/bin/reader_fuzzer"
seconds=${PINDREL_FUZZ_SECONDS:-35}

rm -rf "$work"
mkdir -p "$work/corpus" "$work/artifacts" "$work/tmp"

# The fuzzer's scratch files go below the build folder, not into the system's /tmp.
export TMPDIR="$work/tmp" ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

# Counts sanitizer and harness reports in a log; any one of them fails the run.
reports() {
    grep -cE 'ERROR: (AddressSanitizer|LeakSanitizer|UndefinedBehaviorSanitizer|libFuzzer)|runtime error:|reader fuzz:' "$1"
}

artifacts() { find "$work/artifacts" -type f | wc -l; }

failed() { # log, exit status, what failed
    tail -n 40 "$1"
    echo "fuzz: FAILED, $3 (exit $2, $(reports "$1") reports, $(artifacts) artifacts in $work/artifacts; log $1)"
    exit 1
}

# Given only files, libFuzzer runs each once and stops.
committed=("$here"/corpus/*)
"$fuzzer" -artifact_prefix="$work/artifacts/" "${committed[@]}" >"$work/replay.log" 2>&1
status=$?
if ((status != 0)) || (($(reports "$work/replay.log") != 0)); then
    failed "$work/replay.log" $status "the committed corpus"
fi

cp "${committed[@]}" "$work/corpus/"
if ! "$build/bin/reader_fuzz_seeds" "$work/corpus"; then
    echo "fuzz: FAILED, the seed corpus could not be written"
    exit 1
fi

"$fuzzer" -max_total_time="$seconds" -max_len=1400 -timeout=10 -print_final_stats=1 \
    -dict="$here/kontakt.dict" -artifact_prefix="$work/artifacts/" "$work/corpus" \
    >"$work/log" 2>&1
status=$?
if ((status != 0)) || (($(reports "$work/log") != 0)) || (($(artifacts) != 0)); then
    failed "$work/log" $status "the search"
fi

final_stat() { grep -oE "^stat::$1: *[0-9]+" "$work/log" | grep -oE '[0-9]+$'; }
summary=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$work/log" | tail -n 1)
runs=$(final_stat number_of_executed_units)
elapsed=$(grep -oE 'Done [0-9]+ runs in [0-9]+ second' "$work/log" | grep -oE '[0-9]+ second' | grep -oE '[0-9]+')
echo "fuzz: passed, ${#committed[@]} committed inputs replayed, ${runs:-?} inputs in ${elapsed:-?} s" \
    "($(final_stat average_exec_per_sec)/s), coverage $(grep -oE 'cov: [0-9]+' <<<"$summary" | grep -oE '[0-9]+') edges," \
    "$(grep -oE 'ft: [0-9]+' <<<"$summary" | grep -oE '[0-9]+') features"
