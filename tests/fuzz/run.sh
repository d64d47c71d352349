#!/usr/bin/env bash
# Fuzzes the version reader for about a minute from a freshly written seed corpus. Exits non-zero
# on any crash, leak, sanitizer report or failed check, and prints one line with the result.
# Usage: tests/fuzz/run.sh BUILD_DIR   (the fuzz preset's build folder, e.g. build/fuzz)
# PINDREL_FUZZ_SECONDS shortens or lengthens the run (default 60).
set -uo pipefail
build=${1:?usage: run.sh BUILD_DIR}
here=$(cd "$(dirname "$0")" && pwd)
work="$build/fuzz-run"

rm -rf "$work"
mkdir -p "$work/corpus" "$work/artifacts" "$work/tmp"
if ! "$build/bin/reader_fuzz_seeds" "$work/corpus"; then
    echo "fuzz: FAILED, the seed corpus could not be written"
    exit 1
fi
seeds=$(ls "$work/corpus" | wc -l)

# The fuzzer's scratch files go below the build folder, not into the system's /tmp.
TMPDIR="$work/tmp" ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    "$build/bin/reader_fuzzer" -max_total_time=${PINDREL_FUZZ_SECONDS:-60} -max_len=1400 -timeout=10 \
    -dict="$here/kontakt.dict" -artifact_prefix="$work/artifacts/" "$work/corpus" \
    >"$work/log" 2>&1
status=$?

reports=$(grep -cE 'ERROR: (AddressSanitizer|LeakSanitizer|UndefinedBehaviorSanitizer|libFuzzer)|runtime error:|reader fuzz:' "$work/log")
artifacts=$(ls "$work/artifacts" | wc -l)
if ((status != 0 || reports != 0 || artifacts != 0)); then
    tail -n 40 "$work/log"
    echo "fuzz: FAILED (exit $status, $reports reports, $artifacts artifacts in $work/artifacts; log $work/log)"
    exit 1
fi
runs=$(grep -oE 'Done [0-9]+ runs' "$work/log" | grep -oE '[0-9]+')
echo "fuzz: passed, ${runs:-?} runs, corpus grew from $seeds to $(ls "$work/corpus" | wc -l) inputs"
